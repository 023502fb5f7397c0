// What the skins draw, through the recording renderer: the base's procedural arrows, check,
// tree lines and row decorations, and which region of the image the textured skin picks for a
// control's state, and where.
#include "gui/controls/Base.h"
#include "gui/input/InputState.h"
#include "gui/skin/TexturedBase.h"
#include "support/RecordingRenderer.h"
#include "support/RecordingSkin.h"

#include <gtest/gtest.h>

using Gui::Color;
using Gui::Rect;
using Gui::Skin::TexturedBase;

namespace
{
// Loads every texture as a 1024 x 512 image, as the skin image is.
class LoadingRenderer : public RecordingRenderer
{
public:
    void LoadTexture(Gui::Texture* texture) override
    {
        texture->data = texture;
        texture->width = 1024;
        texture->height = 512;
    }
    void FreeTexture(Gui::Texture* texture) override { texture->data = nullptr; }
};

class SkinDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Gui::Input::Reset();
        skin.Init("DefaultSkin.png");
        control.SetBounds(0, 0, 200, 20);
        renderer.Clear();
    }

    void TearDown() override { Gui::Input::Reset(); }

    std::vector<Rect> Fills()
    {
        std::vector<Rect> rects;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
        {
            if (d.what == "fill")
                rects.push_back(d.rect);
        }
        return rects;
    }

    // The rectangles drawn from the region, in drawing order (a piece's texture coordinates
    // tell which region it belongs to).
    std::vector<Rect> DrawnFrom(const TexturedBase::Bordered& region)
    {
        std::vector<Rect> rects;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
        {
            for (int piece = 0; piece < TexturedBase::Bordered::kPieceCount; ++piece)
            {
                const float* uv = region.GetPiece(piece).uv;
                if (d.what == "texture" && d.u == uv[0] && d.v == uv[1])
                {
                    rects.push_back(d.rect);
                    break;
                }
            }
        }
        return rects;
    }

    // The smallest rectangle around everything drawn from the region.
    Rect Extent(const TexturedBase::Bordered& region)
    {
        const std::vector<Rect> rects = DrawnFrom(region);
        if (rects.empty())
            return Rect();
        int left = rects[0].x, top = rects[0].y, right = left + rects[0].w, bottom = top + rects[0].h;
        for (const Rect& r : rects)
        {
            left = std::min(left, r.x), top = std::min(top, r.y);
            right = std::max(right, r.x + r.w), bottom = std::max(bottom, r.y + r.h);
        }
        return Rect(left, top, right - left, bottom - top);
    }

    bool OnlyTexture(const Gui::Skin::Texturing::Single& region, const Rect& rect)
    {
        return renderer.drawn.size() == 1u && renderer.drawn[0].u == region.GetUV()[0] &&
               renderer.drawn[0].v == region.GetUV()[1] && renderer.drawn[0].rect == rect;
    }

    LoadingRenderer renderer;
    TexturedBase skin{&renderer};
    Gui::Controls::Base control{nullptr};
};
}

TEST_F(SkinDrawingTest, ArrowsAndTheCheckAreFiveTruncatedRectangles)
{
    RecordingSkin base(&renderer);
    base.DrawArrowDown(Rect(0, 0, 10, 10));
    EXPECT_EQ((std::vector<Rect>{{0, 2, 2, 2}, {2, 2, 2, 4}, {4, 2, 2, 6}, {6, 2, 2, 4}, {8, 2, 2, 2}}), Fills());
    renderer.Clear();
    base.DrawCheck(Rect(0, 0, 10, 10));
    EXPECT_EQ((std::vector<Rect>{{0, 6, 4, 4}, {2, 8, 4, 4}, {4, 6, 4, 4}, {6, 2, 4, 4}, {8, 0, 4, 4}}), Fills());
    // Each rectangle is truncated on its own: in 7 pixels a column is 1 wide.
    renderer.Clear();
    base.DrawArrowDown(Rect(0, 0, 7, 7));
    EXPECT_EQ(1, Fills()[0].w);
    EXPECT_EQ(Rect(2, 1, 1, 4), Fills()[2]);
}

TEST_F(SkinDrawingTest, TreeLinesRowsAndStripsTakeTheirColours)
{
    RecordingSkin base(&renderer);
    for (int i = 0; i < Gui::Skin::Base::kColorCount; ++i)
        base.Colors[i] = Color(i, 0, 0, 255);
    Gui::Controls::Base row(nullptr);
    row.SetBounds(0, 0, 100, 20);

    // No connector and expanded: only the line down to the children, in colour 6.
    base.DrawTreeNode(&row, true, false, 16, 40, 8, 30, true);
    ASSERT_EQ(1u, renderer.drawn.size());
    EXPECT_EQ(Rect(21, 17, 1, 22), renderer.drawn[0].rect);
    EXPECT_EQ(Color(6, 0, 0, 255), renderer.drawn[0].color);
    renderer.Clear();
    base.DrawTreeNode(&row, false, false, 16, 40, 8, 30, false);
    EXPECT_EQ(std::vector<Rect>{Rect(8, 8, 7, 1)}, Fills());

    // The first flag wins over the second, and the row's bottom line spans the whole row.
    const int flags[3][2] = {{1, 1}, {0, 1}, {0, 0}};
    const int columns[3] = {14, 15, 13};
    const int lines[3] = {11, 12, 10};
    for (int k = 0; k < 3; ++k)
    {
        renderer.Clear();
        base.DrawTwoColumnRow(&row, 30, flags[k][0] != 0, flags[k][1] != 0);
        ASSERT_EQ(3u, renderer.drawn.size());
        EXPECT_EQ(Rect(0, 0, 30, 20), renderer.drawn[0].rect);
        EXPECT_EQ(columns[k], renderer.drawn[0].color.r);
        EXPECT_EQ(Rect(30, 0, 1, 20), renderer.drawn[1].rect);
        EXPECT_EQ(Rect(0, 19, 100, 1), renderer.drawn[2].rect);
        EXPECT_EQ(lines[k], renderer.drawn[2].color.r);
    }

    renderer.Clear();
    base.DrawCornerStrips(&row, 6, 4);
    EXPECT_EQ((std::vector<Rect>{{0, 0, 6, 20}, {6, 0, 94, 4}}), Fills());
    EXPECT_EQ(19, renderer.drawn[0].color.r);
}

TEST_F(SkinDrawingTest, ProgressBarsFillAcrossOrFromTheBottomUp)
{
    control.SetBounds(0, 0, 200, 40);
    skin.DrawProgressBar(&control, true, 0.004f);
    EXPECT_EQ(Rect(0, 0, 200, 40), Extent(skin.Textures.ProgressBar.Back));
    EXPECT_TRUE(DrawnFrom(skin.Textures.ProgressBar.Front).empty());

    renderer.Clear();
    skin.DrawProgressBar(&control, true, 1.0f);
    EXPECT_EQ(Rect(0, 0, 200, 40), Extent(skin.Textures.ProgressBar.Front));
    renderer.Clear();
    skin.DrawProgressBar(&control, true, 0.5f);
    EXPECT_EQ(Rect(0, 0, 100, 40), Extent(skin.Textures.ProgressBar.Front));

    control.SetBounds(0, 0, 40, 100);
    renderer.Clear();
    skin.DrawProgressBar(&control, false, 0.25f);
    EXPECT_EQ(Rect(0, 0, 40, 100), Extent(skin.Textures.ProgressBar.Back));
    EXPECT_EQ(Rect(0, 75, 40, 25), Extent(skin.Textures.ProgressBar.Front));
}

TEST_F(SkinDrawingTest, SliderNotchesComeBeforeTheLine)
{
    control.SetBounds(0, 0, 110, 20);
    skin.DrawSlider(&control, true, 0, 10);
    EXPECT_EQ(std::vector<Rect>{Rect(5, 9, 100, 1)}, Fills());

    renderer.Clear();
    skin.DrawSlider(&control, true, 4, 10);
    EXPECT_EQ((std::vector<Rect>{{5, 12, 1, 5}, {30, 12, 1, 5}, {55, 12, 1, 5}, {80, 12, 1, 5}, {105, 12, 1, 5},
                                 {5, 9, 100, 1}}),
              Fills());
    EXPECT_EQ(Color(0, 0, 0, 100), renderer.drawn[0].color);

    control.SetBounds(0, 0, 20, 110);
    renderer.Clear();
    skin.DrawSlider(&control, false, 2, 10);
    EXPECT_EQ((std::vector<Rect>{{12, 5, 5, 1}, {12, 55, 5, 1}, {12, 105, 5, 1}, {9, 5, 1, 100}}), Fills());
}

TEST_F(SkinDrawingTest, GroupBoxLeavesTheTopEdgeOpenOverTheLabel)
{
    control.SetBounds(0, 0, 200, 100);
    // An odd label height: the frame starts at 7 and is 92 high (each truncated on its own).
    skin.DrawGroupBox(&control, 10, 15, 50);
    const std::vector<Rect> frame = DrawnFrom(skin.Textures.GroupBox);
    ASSERT_EQ(9u, frame.size());
    // Eight pieces of the frame without its top edge, then the top edge right of the label.
    EXPECT_EQ(Rect(0, 7, 8, 8), frame[0]);
    EXPECT_EQ(Rect(192, 7, 8, 8), frame[1]);
    EXPECT_EQ(Rect(0, 91, 8, 8), frame[5]);
    EXPECT_EQ(Rect(64, 7, 128, 8), frame[8]);
}

TEST_F(SkinDrawingTest, KeyboardHighlightIsADottedOutlineAndSwatchesShowACheckerUnderTranslucentColours)
{
    skin.DrawKeyboardHighlight(&control, Rect(0, 0, 10, 6), 0);
    std::vector<Rect> pixels = Fills();
    std::vector<Rect> top, left;
    for (const Rect& p : pixels)
    {
        EXPECT_EQ(1, p.w);
        if (p.y == 0)
            top.push_back(p);
        if (p.x == 0)
            left.push_back(p);
    }
    EXPECT_EQ((std::vector<Rect>{{2, 0, 1, 1}, {4, 0, 1, 1}, {6, 0, 1, 1}, {8, 0, 1, 1}, {0, 0, 1, 1}, {9, 0, 1, 1}}),
              top);
    EXPECT_EQ((std::vector<Rect>{{0, 0, 1, 1}, {0, 2, 1, 1}, {0, 4, 1, 1}}), left);
    EXPECT_EQ(4u + 4u + 3u + 3u, pixels.size());
    EXPECT_EQ(Gui::Colors::Black, renderer.drawn.back().color);

    control.SetBounds(0, 0, 20, 10);
    renderer.Clear();
    skin.DrawColorSwatch(&control, Color(10, 200, 30, 255));
    EXPECT_EQ((std::vector<Rect>{{0, 0, 20, 10}, {0, 0, 20, 1}, {0, 9, 20, 1}, {0, 0, 1, 10}, {19, 0, 1, 10}}),
              Fills());
    EXPECT_EQ(Color(10, 200, 30, 255), renderer.drawn[0].color);

    renderer.Clear();
    skin.DrawColorSwatch(&control, Color(10, 200, 30, 100));
    ASSERT_EQ(8u, Fills().size());
    EXPECT_EQ(Gui::Colors::White, renderer.drawn[0].color);
    EXPECT_EQ(Rect(0, 0, 10, 5), renderer.drawn[1].rect);
    EXPECT_EQ(Rect(10, 5, 10, 5), renderer.drawn[2].rect);
    EXPECT_EQ(Color(128, 128, 128, 128), renderer.drawn[2].color);
    EXPECT_EQ(Color(10, 200, 30, 100), renderer.drawn[3].color);
}

TEST_F(SkinDrawingTest, StatesPickTheirRegionsInOrder)
{
    // Disabled wins over down, down over hovered.
    skin.DrawButton(&control, true, true, true);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Disabled));
    renderer.Clear();
    skin.DrawButton(&control, true, true, false);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Down));

    // A disabled close button looks normal, and window buttons are always 31 x 31.
    control.SetBounds(0, 0, 31, 24);
    renderer.Clear();
    skin.DrawWindowCloseButton(&control, true, true, true);
    EXPECT_TRUE(OnlyTexture(skin.Textures.CloseButton.Normal, Rect(0, 0, 31, 31)));
    renderer.Clear();
    skin.DrawWindowCloseButton(&control, false, true, false);
    EXPECT_TRUE(OnlyTexture(skin.Textures.CloseButton.Hovered, Rect(0, 0, 31, 31)));

    // Fill and None are no side for a tab.
    renderer.Clear();
    skin.DrawTabButton(&control, true, Gui::Pos::Fill);
    skin.DrawTabButton(&control, false, Gui::Pos::None);
    EXPECT_TRUE(renderer.drawn.empty());

    // A text box both disabled and focused is drawn disabled.
    control.SetKeyboardInputEnabled(true);
    control.Focus();
    control.SetDisabled(true);
    renderer.Clear();
    skin.DrawTextBox(&control);
    EXPECT_FALSE(DrawnFrom(skin.Textures.TextBox.Disabled).empty());
    EXPECT_TRUE(DrawnFrom(skin.Textures.TextBox.Focus).empty());

    // A selected tree node draws its selection first, then the branch lines.
    renderer.Clear();
    skin.DrawTreeNode(&control, false, true, 16, 40, 8, 0, false);
    EXPECT_EQ(Rect(17, 0, 42, 15), Extent(skin.Textures.TreeSelection));
    EXPECT_EQ("fill", renderer.drawn.back().what);
}
