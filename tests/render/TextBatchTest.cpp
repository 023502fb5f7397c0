// Text drawn through the text batch, from the font library's captured glyph quads, against
// the library drawing each string itself: the pictures must be the same to the pixel, with
// turned text, kerning fonts, characters the batch leaves to the library, sprites and other
// fonts (other glyph textures) between the texts, and text across the window's edges.
#include "engine/actors/Actor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextBatch.h"
#include "support/PngWriter.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

#include <GL/gl.h>

#include <vector>

namespace
{
const char* const kMonoFont = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";
const char* const kHandFont = ZARVO_SOURCE_DIR "/Resources/Fonts/ShadowsIntoLight.ttf";
// A font with a kerning table, from the system's fonts.
const char* const kKerningFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class TextBatchTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        ASSERT_TRUE(RegisterFont(kMonoFont, 18, "Mono"));
        ASSERT_TRUE(RegisterFont(kHandFont, 27, "Hand"));
        ASSERT_TRUE(RegisterFont(kKerningFont, 20, "Kerning"));
    }

    void TearDown() override { TextBatch::SetEnabled(true); }

    static int Differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
    {
        int differing = 0;
        for (size_t i = 0; i < a.size(); i += 4)
        {
            differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
        }
        return differing;
    }

    static int InkedPixels(const std::vector<unsigned char>& pixels)
    {
        int inked = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
        {
            inked += (pixels[i] != 255 || pixels[i + 1] != 255 || pixels[i + 2] != 255) ? 1 : 0;
        }
        return inked;
    }

    // The World's frame drawn with the batch, and drawn with every string left to the font
    // library: how many pixels differ. Fails when nothing was drawn at all.
    int WorldFrameDifference()
    {
        TextBatch::SetEnabled(true);
        RenderFrame();
        const std::vector<unsigned char> batched = WindowPixels();
        TextBatch::SetEnabled(false);
        RenderFrame();
        const std::vector<unsigned char> library = WindowPixels();
        TextBatch::SetEnabled(true);
        EXPECT_GT(InkedPixels(library), 100);
        return Differing(batched, library);
    }

    static TextActor* AddText(const String& font, const String& text, float x, float y, int layer = 0)
    {
        TextActor* actor = new TextActor(font, text, TXT_Left, 3);
        actor->SetPosition(x, y);
        World::GetInstance()->Add(actor, layer);
        return actor;
    }

    ScratchDirectory scratch;
};

// Rows of strings in a colour each, some across the window's right edge: through one batch,
// or each drawn by the font library as DrawScreenText draws it. The draw calls differ (a
// colour per run, strings across the edge in runs of their own), the pixels must not.
std::vector<unsigned char> DrawRowsOfStrings(bool batched, int row)
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const String text = "gjpqy |AVAWAY 0123";
    for (int k = 0; k < 48; ++k)
    {
        const Color color(0.01f * k, 1.0f - 0.01f * k, 0.5f, 0.3f + 0.01f * k);
        const int x = (k % 8) * 131 + row * 7 - 20;
        const int y = 7 + row * 3 + (k / 8) * 131;
        if (batched)
        {
            TextBatch::Shared().Add(*FindFontGlyphs(k % 2 ? "Mono" : "Hand"), text, x, y, color);
        }
        else
        {
            DrawScreenTextColored(text, k % 2 ? "Mono" : "Hand", x, y, 0.0f, color);
        }
    }
    TextBatch::Shared().Flush();
    return WorldWindow::WindowPixels();
}
}

// Many texts on layers, in colours, alignments and line counts of their own, with sprites
// between them, two batched fonts whose glyph textures alternate, a turned text, a kerning
// font and a string with a tab, all of which must keep their place in the drawing order.
TEST_F(TextBatchTest, ALayerOfTextsLooksAsTheFontLibraryDrawsIt)
{
    ASSERT_TRUE(WritePng("quad.png", 2, 2,
                         {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128}));
    const char* fonts[] = {"Mono", "Hand", "Mono", "Kerning"};
    for (int i = 0; i < 48; ++i)
    {
        const float x = -14.0f + 0.6f * i;
        const float y = -9.5f + 0.41f * ((i * 13) % 47);
        TextActor* text = AddText(fonts[i % 4], "Score: " + std::to_string(i * 379) + "\ngjpqy |AVAWAY", x, y, i % 3);
        text->SetColor(0.02f * i, 1.0f - 0.02f * i, 0.5f, 0.3f + 0.014f * i);
        text->SetAlignment(static_cast<TextAlignment>(i % 3));
        if (i % 5 == 2)
        {
            Actor* sprite = new Actor();
            sprite->SetPosition(x + 0.5f, y);
            sprite->SetSize(1.3f);
            EXPECT_TRUE(sprite->SetSprite("quad.png"));
            World::GetInstance()->Add(sprite, i % 3);
        }
    }
    AddText("Mono", "Turned about", 2.0f, 2.0f, 1)->SetRotation(30.0f);
    AddText("Hand", "Tab\there", -3.0f, 6.0f, 1);
    // Hanging over each edge of the window.
    AddText("Mono", "Over the left edge", -14.0f, 0.0f, 2);
    AddText("Hand", "Over the right edge and further", 12.0f, 1.0f, 2);
    AddText("Mono", "Over the top", 0.0f, 10.2f, 2);
    AddText("Hand", "Under the bottom", 3.0f, -10.1f, 2);
    EXPECT_EQ(0, WorldFrameDifference());
}

// A turned camera turns every text: none is batched, and the picture is the library's.
TEST_F(TextBatchTest, TextUnderATurnedCameraIsLeftToTheFontLibrary)
{
    TextActor* text = AddText("Mono", "Aweigh", 0.0f, 0.0f);
    EXPECT_TRUE(text->CanBatch());
    Camera::GetInstance()->SetRotation(15.0f);
    EXPECT_FALSE(text->CanBatch());
    EXPECT_EQ(0, WorldFrameDifference());
}

TEST_F(TextBatchTest, StringsInManyColoursAndAcrossTheEdgeLookAsTheFontLibraryDrawsThem)
{
    for (int row = 0; row < 6; ++row)
    {
        const std::vector<unsigned char> batched = DrawRowsOfStrings(true, row);
        TextBatch::SetEnabled(false);
        const std::vector<unsigned char> library = DrawRowsOfStrings(false, row);
        TextBatch::SetEnabled(true);
        EXPECT_GT(InkedPixels(library), 20000);
        EXPECT_EQ(0, Differing(batched, library)) << "row " << row;
    }
}

// DrawScreenText goes through the batch, string by string, for whatever its callers draw.
TEST_F(TextBatchTest, ScreenTextLooksAsTheFontLibraryDrawsIt)
{
    std::vector<std::vector<unsigned char>> pictures;
    for (bool batched : {true, false})
    {
        TextBatch::SetEnabled(batched);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(0.2f, 0.3f, 0.6f, 0.8f);
        DrawScreenText("Harbour dues 1,250", "Mono", 40, 60);
        DrawScreenText(" leading and trailing ", "Hand", 300, 200);
        DrawScreenText("Off the top", "Mono", 600, 4);
        DrawScreenText("Off the left", "Hand", -30, 500);
        DrawScreenText("Turned", "Mono", 500, 500, 30.0f);
        DrawScreenText("Kerned AVAWAY", "Kerning", 200, 400);
        pictures.push_back(WindowPixels());
    }
    EXPECT_GT(InkedPixels(pictures[1]), 1000);
    EXPECT_EQ(0, Differing(pictures[0], pictures[1]));
}

// What DrawScreenText leaves behind, later drawing may rely on; the batch leaves the same.
TEST_F(TextBatchTest, ScreenTextLeavesTheStateTheFontLibraryLeaves)
{
    std::vector<std::vector<float>> states;
    for (bool batched : {true, false})
    {
        TextBatch::SetEnabled(batched);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(1.0f, 2.0f, -3.0f);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glEnableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
        DrawScreenText("State", "Mono", 40, 40);
        std::vector<float> state(32 + 4);
        glGetFloatv(GL_MODELVIEW_MATRIX, &state[0]);
        glGetFloatv(GL_PROJECTION_MATRIX, &state[16]);
        glGetFloatv(GL_CURRENT_COLOR, &state[32]);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        state.push_back(static_cast<float>(mode));
        for (GLenum enable : {GL_DEPTH_TEST, GL_TEXTURE_2D, GL_BLEND, GL_CULL_FACE, GL_VERTEX_ARRAY,
                              GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY})
        {
            state.push_back(glIsEnabled(enable) ? 1.0f : 0.0f);
        }
        states.push_back(state);
    }
    EXPECT_EQ(states[0], states[1]);
}

TEST_F(TextBatchTest, FontsWithKerningAndUnknownFontsHaveNoCapturedGlyphs)
{
    EXPECT_TRUE(FindFontGlyphs("Mono") != nullptr);
    EXPECT_TRUE(FindFontGlyphs("Kerning") == nullptr);
    EXPECT_TRUE(FindFontGlyphs("Nobody") == nullptr);
    EXPECT_FALSE(AddText("Kerning", "AVA", 0.0f, 0.0f)->CanBatch());
    EXPECT_FALSE(AddText("Mono", "caf\xe9", 0.0f, 0.0f)->CanBatch());
    EXPECT_FALSE(AddText("Nobody", "Ahoy", 0.0f, 0.0f)->CanBatch());
}

// The captured quads are the library's: a descender reaches below the baseline, the space
// draws nothing but moves the pen, and a string's glyphs advance as far as it measures.
TEST_F(TextBatchTest, CapturedGlyphsPlaceAsTheFontLibraryMeasures)
{
    FontGlyphs& glyphs = *FindFontGlyphs("Mono");
    const GlyphQuad& g = *glyphs.Find('g');
    EXPECT_TRUE(g.Drawn);
    EXPECT_LT(g.Bottom, 0.0f);
    EXPECT_GT(g.Top, 0.0f);
    EXPECT_LT(g.Left, g.Right);
    EXPECT_NE(0u, g.Texture);
    const GlyphQuad& space = *glyphs.Find(' ');
    EXPECT_GT(space.AdvanceX, 0.0);
    EXPECT_TRUE(space.Empty);
    EXPECT_FALSE(g.Empty);
    EXPECT_TRUE(glyphs.Find('\t') == nullptr);
    EXPECT_TRUE(glyphs.Find('\x80') == nullptr);

    const String text = "Mg jW";
    double advance = 0.0;
    for (char c : text)
    {
        advance += glyphs.Find(c)->AdvanceX;
    }
    // Inconsolata is monospaced: the box runs from the first glyph's left edge to the last
    // glyph's right edge, one advance per glyph before it.
    const Vector2 extents = GetTextExtents(text, "Mono");
    EXPECT_NEAR(advance - space.AdvanceX, extents.X, space.AdvanceX);
}

// Measured from the captured glyphs, extents are the library's own, to the last bit.
TEST_F(TextBatchTest, ExtentsFromCapturedGlyphsAreTheFontLibrarysOwn)
{
    std::vector<String> texts = {"", " ", "  a", "g", "Score: 1234", "gjpqy |AVAWAY", "~`^_{}[]", "Hgjy|Q ",
                                 "mixed Case with 0123456789 and !\"#$%&'()*+,-./:;<=>?@"};
    for (char c = 32; c < 127; ++c)
    {
        texts.push_back(String(1, c) + "x" + String(3, c));
    }
    for (const char* font : {"Mono", "Hand"})
    {
        for (const String& text : texts)
        {
            TextBatch::SetEnabled(true);
            const Vector2 captured = GetTextExtents(text, font);
            TextBatch::SetEnabled(false);
            const Vector2 library = GetTextExtents(text, font);
            EXPECT_EQ(library.X, captured.X) << font << " \"" << text << "\"";
            EXPECT_EQ(library.Y, captured.Y) << font << " \"" << text << "\"";
        }
    }
}

// A nickname registered again gets the new font's glyphs: nothing of the old font's
// captured quads or textures is drawn.
TEST_F(TextBatchTest, AFontRegisteredAgainIsDrawnWithItsOwnGlyphs)
{
    AddText("Mono", "Ahoy there", -5.0f, 0.0f);
    RenderFrame();
    ASSERT_TRUE(RegisterFont(kMonoFont, 31, "Mono"));
    EXPECT_EQ(0, WorldFrameDifference());
    ASSERT_TRUE(RegisterFont(kHandFont, 12, "Mono"));
    EXPECT_EQ(0, WorldFrameDifference());
}

// Empty strings, empty lines and blank lines go through the batch and draw nothing more
// than the library would; a text of spaces leaves the state as the library leaves it.
TEST_F(TextBatchTest, EmptyAndBlankLinesDrawAsTheFontLibraryDrawsThem)
{
    AddText("Mono", "", 0.0f, 0.0f);
    AddText("Hand", "\n\nthird line\n", -6.0f, 4.0f);
    AddText("Mono", "   ", 3.0f, -2.0f);
    AddText("Mono", "a\n\nb", 6.0f, -5.0f)->SetColor(0.7f, 0.1f, 0.1f, 0.9f);
    EXPECT_EQ(0, WorldFrameDifference());
    EXPECT_TRUE(TextBatch::Shared().IsEmpty());
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

namespace
{
// Draws a string in whatever colour was set last, as a game's own renderable may.
class LastColourText : public Renderable
{
public:
    void Render() override { DrawScreenText("In the colour set last", "Mono", 300, 400); }
};
}

// A text actor with no text still sets its colour, batched as when it draws itself, so what
// draws in the colour set last takes that one.
TEST_F(TextBatchTest, AnEmptyTextStillSetsItsColour)
{
    AddText("Mono", "Blue words", -6.0f, 3.0f)->SetColor(0.0f, 0.0f, 1.0f);
    AddText("Mono", "", 0.0f, 0.0f)->SetColor(1.0f, 0.0f, 0.0f);
    World::GetInstance()->Add(new LastColourText());
    EXPECT_EQ(0, WorldFrameDifference());
}

namespace
{
// A font registered and measured before the window, and so before any OpenGL context exists.
class TextMeasuredBeforeTheWindowTest : public TextBatchTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RegisterFont(kMonoFont, 22, "Early"));
        _earlyExtents = GetTextExtents("Measured early", "Early");
        TextBatchTest::SetUp();
    }

    Vector2 _earlyExtents;
};
}

// Nothing of it was made without a context: it measures as the same font registered once the
// window exists, and draws alike batched or not.
TEST_F(TextMeasuredBeforeTheWindowTest, DrawsAsAFontRegisteredWithTheWindow)
{
    ASSERT_TRUE(RegisterFont(kMonoFont, 22, "Late"));
    EXPECT_EQ(GetTextExtents("Measured early", "Late"), _earlyExtents);
    TextActor* text = AddText("Early", "Measured early", -4.0f, 0.0f);
    EXPECT_TRUE(text->CanBatch());
    EXPECT_EQ(0, WorldFrameDifference());
    RenderFrame();
    EXPECT_GT(InkedPixels(WindowPixels()), 300);
}
