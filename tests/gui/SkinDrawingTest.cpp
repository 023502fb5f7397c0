// Which region of the skin image the textured skin picks for a control's state, amount and
// direction, and where it draws it, through the recording renderer.
#include "gui/controls/Base.h"
#include "gui/input/InputState.h"
#include "gui/skin/TexturedBase.h"
#include "support/RecordingRenderer.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using Gui::Rect;
using Gui::Skin::TexturedBase;

namespace
{
// Every texture loads as a 1024 x 512 image, as the skin image is.
class LoadingRenderer : public RecordingRenderer
{
public:
    void LoadTexture(Gui::Texture* t) override { t->data = t, t->width = 1024, t->height = 512; }
    void FreeTexture(Gui::Texture* texture) override { texture->data = nullptr; }
};

class SkinDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override { Gui::Input::Reset(), skin.Init("DefaultSkin.png"); }
    void TearDown() override { Gui::Input::Reset(); }

    // The control at this size, with nothing recorded yet.
    Gui::Controls::Base* Sized(int w, int h)
    {
        control.SetBounds(0, 0, w, h);
        renderer.Clear();
        return &control;
    }

    // The box around all drawn from the region (told by each piece's texture coordinates); empty if none.
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

TEST_F(SkinDrawingTest, StatesAmountsAndDirectionsPickTheirRegions)
{
    // Disabled wins over down, down over hovered.
    skin.DrawButton(Sized(200, 20), true, true, true);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Disabled));
    skin.DrawButton(Sized(200, 20), true, true, false);
    EXPECT_EQ(Rect(0, 0, 200, 20), Extent(skin.Textures.Button.Down));

    // A disabled close button looks normal, and window buttons are always 31 x 31.
    for (bool disabled : {true, false})
    {
        skin.DrawWindowCloseButton(Sized(31, 24), false, true, disabled);
        const float* uv = (disabled ? skin.Textures.CloseButton.Normal : skin.Textures.CloseButton.Hovered).GetUV();
        ASSERT_EQ(1u, renderer.drawn.size());
        EXPECT_EQ(Rect(0, 0, 31, 31), renderer.drawn[0].rect);
        EXPECT_TRUE(uv[0] == renderer.drawn[0].u && uv[1] == renderer.drawn[0].v);
    }

    // Fill and None are no side for a tab.
    renderer.Clear();
    skin.DrawTabButton(&control, true, Gui::Pos::Fill);
    skin.DrawTabButton(&control, false, Gui::Pos::None);
    EXPECT_TRUE(renderer.drawn.empty());

    // A bar's fill under one pixel is left out; a vertical bar fills from the bottom up.
    skin.DrawProgressBar(Sized(200, 40), true, 0.004f);
    EXPECT_EQ(Rect(0, 0, 200, 40), Extent(skin.Textures.ProgressBar.Back));
    EXPECT_EQ(Rect(), Extent(skin.Textures.ProgressBar.Front));
    skin.DrawProgressBar(Sized(200, 40), true, 0.5f);
    EXPECT_EQ(Rect(0, 0, 100, 40), Extent(skin.Textures.ProgressBar.Front));
    skin.DrawProgressBar(Sized(40, 100), false, 0.25f);
    EXPECT_EQ(Rect(0, 75, 40, 25), Extent(skin.Textures.ProgressBar.Front));

    // A group box's frame starts half an (odd) label height down; its top edge resumes right of the label.
    skin.DrawGroupBox(Sized(200, 100), 10, 15, 50);
    EXPECT_EQ(Rect(0, 7, 200, 92), Extent(skin.Textures.GroupBox));
    EXPECT_EQ(Rect(64, 7, 128, 8), renderer.drawn.back().rect);

    // A text box both disabled and focused is drawn disabled.
    control.SetKeyboardInputEnabled(true);
    control.Focus();
    control.SetDisabled(true);
    skin.DrawTextBox(Sized(200, 20));
    EXPECT_NE(Rect(), Extent(skin.Textures.TextBox.Disabled));
    EXPECT_EQ(Rect(), Extent(skin.Textures.TextBox.Focus));

    // A selected tree node draws its selection first, then the branch lines.
    skin.DrawTreeNode(Sized(200, 20), false, true, 16, 40, 8, 0, false);
    EXPECT_EQ(Rect(17, 0, 42, 15), Extent(skin.Textures.TreeSelection));
    EXPECT_EQ("fill", renderer.drawn.back().what);
}

// The procedural pieces: a slider's notches (one more than asked, across or down) come before
// its line, a highlight is dotted, and a translucent swatch shows a checker under its colour.
TEST_F(SkinDrawingTest, NotchesHighlightsAndSwatchesPlaceTheirPieces)
{
    auto fills = [this] {
        std::vector<Rect> rects;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
            if (d.what == "fill")
                rects.push_back(d.rect);
        return rects;
    };
    skin.DrawSlider(Sized(110, 20), true, 0, 10);
    EXPECT_EQ(std::vector<Rect>{Rect(5, 9, 100, 1)}, fills());
    skin.DrawSlider(Sized(20, 110), false, 2, 10);
    EXPECT_EQ((std::vector<Rect>{{12, 5, 5, 1}, {12, 55, 5, 1}, {12, 105, 5, 1}, {9, 5, 1, 100}}), fills());

    skin.DrawKeyboardHighlight(Sized(200, 20), Rect(0, 0, 10, 6), 0);
    ASSERT_EQ(4u + 4u + 3u + 3u, fills().size());
    for (const Rect& pixel : fills())
        EXPECT_EQ(Rect(pixel.x, pixel.y, 1, 1), pixel);

    skin.DrawColorSwatch(Sized(20, 10), Gui::Color(10, 200, 30, 255));
    EXPECT_EQ(5u, fills().size());
    skin.DrawColorSwatch(Sized(20, 10), Gui::Color(10, 200, 30, 100));
    ASSERT_EQ(8u, fills().size());
    EXPECT_EQ(Gui::Colors::White, renderer.drawn[0].color);
    EXPECT_EQ(Gui::Color(10, 200, 30, 100), renderer.drawn[3].color);
}
