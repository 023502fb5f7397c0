// The textured skin's regions on a recording renderer: where nine-slice pieces land, their
// texture coordinates, the whole-region fall-back, centred singles, and the palette's
// fall-back colours when the renderer cannot read the image.
#include "gui/controls/Button.h"
#include "gui/skin/TexturedBase.h"
#include "support/RecordingRenderer.h"

#include <gtest/gtest.h>

using Gui::Rect;

namespace
{
class TexturedSkinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Any non-null handle makes the recording renderer draw the texture.
        texture.data = &texture;
        texture.width = 512;
        texture.height = 512;
        region.Init(&texture, 480, 0, 31, 31, Gui::Margin(8, 8, 8, 8));
    }

    std::vector<Rect> Drawn()
    {
        std::vector<Rect> rects;
        for (const RecordingRenderer::Drawn& d : renderer.drawn)
        {
            EXPECT_EQ("texture", d.what);
            rects.push_back(d.rect);
        }
        return rects;
    }

    RecordingRenderer renderer;
    Gui::Texture texture;
    Gui::Skin::Texturing::Bordered region;
};

void ExpectRect(const Rect& r, int x, int y, int w, int h)
{
    EXPECT_EQ(x, r.x);
    EXPECT_EQ(y, r.y);
    EXPECT_EQ(w, r.w);
    EXPECT_EQ(h, r.h);
}
}

TEST_F(TexturedSkinTest, NineSlicePiecesLandAroundTheStretchedMiddle)
{
    region.Draw(&renderer, Rect(10, 20, 100, 40));

    const std::vector<Rect> pieces = Drawn();
    ASSERT_EQ(9u, pieces.size());
    const int expected[9][4] = {{10, 20, 8, 8},  {18, 20, 84, 8},  {102, 20, 8, 8},
                                {10, 28, 8, 24}, {18, 28, 84, 24}, {102, 28, 8, 24},
                                {10, 52, 8, 8},  {18, 52, 84, 8},  {102, 52, 8, 8}};
    for (int i = 0; i < 9; ++i)
    {
        ExpectRect(pieces[i], expected[i][0], expected[i][1], expected[i][2], expected[i][3]);
    }
    // The corner piece is cut from the image's own size.
    const float* uv = region.GetPiece(0).uv;
    EXPECT_FLOAT_EQ(480.0f / 512.0f, uv[0]);
    EXPECT_FLOAT_EQ(0.0f, uv[1]);
    EXPECT_FLOAT_EQ(488.0f / 512.0f, uv[2]);
    EXPECT_FLOAT_EQ(8.0f / 512.0f, uv[3]);
}

TEST_F(TexturedSkinTest, SmallTargetsShowTheWholeRegionOrPassNegativeMiddlesOn)
{
    region.Draw(&renderer, Rect(0, 0, 20, 20));
    ASSERT_EQ(1u, Drawn().size());
    ExpectRect(Drawn()[0], 0, 0, 20, 20);

    renderer.Clear();
    region.Draw(&renderer, Rect(0, 0, 20, 40));
    ASSERT_EQ(9u, Drawn().size());
    EXPECT_EQ(4, Drawn()[1].w);

    renderer.Clear();
    region.Draw(&renderer, Rect(0, 0, 12, 40));
    EXPECT_EQ(-4, Drawn()[4].w);

    // Only the pieces asked for.
    renderer.Clear();
    region.Draw(&renderer, Rect(0, 0, 100, 40), false, true, false, false, false, false, false, false, false);
    ASSERT_EQ(1u, Drawn().size());
    ExpectRect(Drawn()[0], 8, 0, 84, 8);
}

TEST_F(TexturedSkinTest, ScaledBordersAndCentredSingles)
{
    Gui::Skin::Texturing::Bordered scaled;
    scaled.Init(&texture, 480, 0, 31, 31, Gui::Margin(8, 8, 8, 8), 2.0f);
    EXPECT_EQ(16, scaled.GetMargin().left);
    EXPECT_FLOAT_EQ(region.GetPiece(4).uv[0], scaled.GetPiece(4).uv[0]);

    Gui::Skin::Texturing::Single icon;
    icon.Init(&texture, 384, 112, 7, 7);
    icon.DrawCenter(&renderer, Rect(0, 0, 16, 16));
    ASSERT_EQ(1u, Drawn().size());
    ExpectRect(Drawn()[0], 4, 4, 7, 7);

    // A region never cut draws nothing.
    renderer.Clear();
    Gui::Skin::Texturing::Single uncut;
    uncut.Draw(&renderer, Rect(0, 0, 10, 10));
    EXPECT_TRUE(renderer.drawn.empty());
}

TEST(TexturedSkinPaletteTest, UnreadablePixelsLeaveRedFirstAndYellowAfter)
{
    RecordingRenderer renderer;
    Gui::Skin::TexturedBase skin(&renderer);
    skin.Init("no such skin.png");
    EXPECT_EQ(Gui::Colors::Red, skin.Colors[0]);
    EXPECT_EQ(Gui::Colors::Yellow, skin.Colors[1]);
    EXPECT_EQ(Gui::Colors::Yellow, skin.Colors[47]);
    // Colour 20 comes from the palette too, between the row colours.
    EXPECT_EQ(Gui::Colors::Yellow, skin.Colors[20]);
}
