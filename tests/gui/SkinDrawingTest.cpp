// What the skins draw, through the recording renderer: the base's tree and row pieces, and which
// region of the image the textured skin picks for a control's state, and where.
#include "gui/controls/Base.h"
#include "gui/input/InputState.h"
#include "gui/skin/TexturedBase.h"
#include "support/RecordingRenderer.h"
#include "support/RecordingSkin.h"

#include <gtest/gtest.h>

#include <climits>

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
        renderer.Clear();
    }

    void TearDown() override { Gui::Input::Reset(); }

    // The control at this size, with nothing recorded yet.
    Gui::Controls::Base* Sized(int w, int h)
    {
        control.SetBounds(0, 0, w, h);
        renderer.Clear();
        return &control;
    }

    std::vector<Rect> Fills()
    {
        std::vector<Rect> rects;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
            if (d.what == "fill")
                rects.push_back(d.rect);
        return rects;
    }

    // The smallest rectangle around everything drawn from the region (a piece's texture
    // coordinates tell which region it belongs to); empty when nothing was.
    Rect Extent(const TexturedBase::Bordered& region)
    {
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
            for (int piece = 0; piece < TexturedBase::Bordered::kPieceCount; ++piece)
                if (d.what == "texture" && d.u == region.GetPiece(piece).uv[0] && d.v == region.GetPiece(piece).uv[1])
                {
                    left = std::min(left, d.rect.x), top = std::min(top, d.rect.y);
                    right = std::max(right, d.rect.x + d.rect.w), bottom = std::max(bottom, d.rect.y + d.rect.h);
                }
        return left == INT_MAX ? Rect() : Rect(left, top, right - left, bottom - top);
    }

    LoadingRenderer renderer;
    TexturedBase skin{&renderer};
    Gui::Controls::Base control{nullptr};
};
}

TEST_F(SkinDrawingTest, TheBasesPiecesTakeTheirFlagsAndColours)
{
    RecordingSkin base(&renderer);
    for (int i = 0; i < Gui::Skin::Base::kColorCount; ++i)
        base.Colors[i] = Color(i, 0, 0, 255);
    // A tree node's connector and its line down to the children each have their own flag.
    Sized(100, 20);
    base.DrawTreeNode(&control, true, false, 16, 40, 8, 30, true);
    EXPECT_EQ(std::vector<Rect>{Rect(21, 17, 1, 22)}, Fills());
    EXPECT_EQ(Color(6, 0, 0, 255), renderer.drawn[0].color);
    renderer.Clear();
    base.DrawTreeNode(&control, false, false, 16, 40, 8, 30, false);
    EXPECT_EQ(std::vector<Rect>{Rect(8, 8, 7, 1)}, Fills());

    // A row's first flag wins over its second, for the column and the lines alike.
    const bool flags[3][2] = {{true, true}, {false, true}, {false, false}};
    const int colours[3][2] = {{14, 11}, {15, 12}, {13, 10}};
    for (int k = 0; k < 3; ++k)
    {
        renderer.Clear();
        base.DrawTwoColumnRow(&control, 30, flags[k][0], flags[k][1]);
        ASSERT_EQ(3u, renderer.drawn.size());
        EXPECT_EQ(colours[k][0], renderer.drawn[0].color.r);
        EXPECT_EQ(colours[k][1], renderer.drawn[2].color.r);
    }
}

TEST_F(SkinDrawingTest, ProgressBarsSlidersAndGroupBoxesPlaceTheirParts)
{
    // A fill under one pixel is left out; a vertical bar fills from the bottom up.
    skin.DrawProgressBar(Sized(200, 40), true, 0.004f);
    EXPECT_EQ(Rect(0, 0, 200, 40), Extent(skin.Textures.ProgressBar.Back));
    EXPECT_EQ(Rect(), Extent(skin.Textures.ProgressBar.Front));
    renderer.Clear();
    skin.DrawProgressBar(&control, true, 0.5f);
    EXPECT_EQ(Rect(0, 0, 100, 40), Extent(skin.Textures.ProgressBar.Front));
    skin.DrawProgressBar(Sized(40, 100), false, 0.25f);
    EXPECT_EQ(Rect(0, 75, 40, 25), Extent(skin.Textures.ProgressBar.Front));

    // No notches draw the line alone; notches come first, one more than asked, across or down.
    skin.DrawSlider(Sized(110, 20), true, 0, 10);
    EXPECT_EQ(std::vector<Rect>{Rect(5, 9, 100, 1)}, Fills());
    skin.DrawSlider(Sized(110, 20), true, 4, 10);
    ASSERT_EQ(6u, Fills().size());
    EXPECT_EQ(Rect(105, 12, 1, 5), Fills()[4]);
    skin.DrawSlider(Sized(20, 110), false, 2, 10);
    EXPECT_EQ((std::vector<Rect>{{12, 5, 5, 1}, {12, 55, 5, 1}, {12, 105, 5, 1}, {9, 5, 1, 100}}), Fills());

    // The frame starts half an (odd) label height down, and its top edge resumes right of the label.
    skin.DrawGroupBox(Sized(200, 100), 10, 15, 50);
    EXPECT_EQ(Rect(0, 7, 200, 92), Extent(skin.Textures.GroupBox));
    ASSERT_EQ(9u, renderer.drawn.size());
    EXPECT_EQ(Rect(64, 7, 128, 8), renderer.drawn.back().rect);
}

TEST_F(SkinDrawingTest, HighlightsAreDottedAndSwatchesShowACheckerUnderTranslucentColours)
{
    skin.DrawKeyboardHighlight(Sized(200, 20), Rect(0, 0, 10, 6), 0);
    // One pixel in two along each edge, the corners drawn once (by the sides).
    ASSERT_EQ(4u + 4u + 3u + 3u, Fills().size());
    for (const Rect& pixel : Fills())
        EXPECT_EQ(Rect(pixel.x, pixel.y, 1, 1), pixel);
    EXPECT_EQ(Gui::Colors::Black, renderer.drawn.back().color);

    skin.DrawColorSwatch(Sized(20, 10), Color(10, 200, 30, 255));
    EXPECT_EQ(5u, Fills().size());
    EXPECT_EQ(Color(10, 200, 30, 255), renderer.drawn[0].color);
    skin.DrawColorSwatch(Sized(20, 10), Color(10, 200, 30, 100));
    ASSERT_EQ(8u, Fills().size());
    EXPECT_EQ(Gui::Colors::White, renderer.drawn[0].color);
    EXPECT_EQ(Color(10, 200, 30, 100), renderer.drawn[3].color);
}

TEST_F(SkinDrawingTest, StatesPickTheirRegionsInOrder)
{
    // Disabled wins over down, down over hovered.
    skin.DrawButton(Sized(200, 20), true, true, true);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Disabled));
    renderer.Clear();
    skin.DrawButton(&control, true, true, false);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Down));

    // A disabled close button looks normal, and window buttons are always 31 x 31.
    for (bool disabled : {true, false})
    {
        skin.DrawWindowCloseButton(Sized(31, 24), false, true, disabled);
        const Gui::Skin::Texturing::Single& region =
            disabled ? skin.Textures.CloseButton.Normal : skin.Textures.CloseButton.Hovered;
        ASSERT_EQ(1u, renderer.drawn.size());
        EXPECT_EQ(Rect(0, 0, 31, 31), renderer.drawn[0].rect);
        EXPECT_TRUE(region.GetUV()[0] == renderer.drawn[0].u && region.GetUV()[1] == renderer.drawn[0].v);
    }

    // Fill and None are no side for a tab.
    renderer.Clear();
    skin.DrawTabButton(&control, true, Gui::Pos::Fill);
    skin.DrawTabButton(&control, false, Gui::Pos::None);
    EXPECT_TRUE(renderer.drawn.empty());

    // A text box both disabled and focused is drawn disabled.
    control.SetKeyboardInputEnabled(true);
    control.Focus();
    control.SetDisabled(true);
    skin.DrawTextBox(&control);
    EXPECT_NE(Rect(), Extent(skin.Textures.TextBox.Disabled));
    EXPECT_EQ(Rect(), Extent(skin.Textures.TextBox.Focus));

    // A selected tree node draws its selection first, then the branch lines.
    skin.DrawTreeNode(Sized(200, 20), false, true, 16, 40, 8, 0, false);
    EXPECT_EQ(Rect(17, 0, 42, 15), Extent(skin.Textures.TreeSelection));
    EXPECT_EQ("fill", renderer.drawn.back().what);
}
