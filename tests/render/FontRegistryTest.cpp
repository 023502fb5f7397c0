// The font registry with a real window: registration, failures, and text drawn in window
// pixels inside the extents the registry measures.
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/FontRegistry.h"
#include "support/CapturingLog.h"
#include "support/InkWindow.h"
#include "support/ScratchDirectory.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>

namespace
{
const char* const kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";

class FontRegistryTest : public InkWindow
{
protected:
    void SetUp() override
    {
        // Kept to the end of the process: the system log holds on to its members.
        log = new CapturingLog();
        CompoundLog::GetSystemLog().AddLog(log);
        InkWindow::SetUp();
        ClearWindow();
    }

    // The ink of everything drawn since the window was cleared.
    Box DrawnInk(const Box& region = WholeWindow())
    {
        Capture();
        return InkBox(region);
    }

    bool Logged(const String& line) const
    {
        for (const String& logged : log->Lines)
        {
            if (logged == line)
            {
                return true;
            }
        }
        return false;
    }

    CapturingLog* log = 0;
};

// Ink of text drawn at (x, baseline) must lie inside the box its extents describe.
void ExpectInkInsideExtents(const InkWindow::Box& ink, const Vector2& extents, int x,
                            int baseline)
{
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.Left, x - 1);
    // The measured box starts at the first glyph's left bearing, a pixel or two past x.
    EXPECT_LE(ink.Right, x + static_cast<int>(extents.X) + 3);
    EXPECT_LE(ink.Width(), extents.X + 2);
    EXPECT_LE(ink.Height(), extents.Y + 2);
    EXPECT_GE(ink.Top, baseline - static_cast<int>(extents.Y) - 1);
    EXPECT_LE(ink.Bottom, baseline + static_cast<int>(extents.Y));
    // The text really is this big: it spans most of its measured box.
    EXPECT_GE(ink.Width(), extents.X * 0.8f);
    EXPECT_GE(ink.Height(), extents.Y * 0.7f);
    EXPECT_LT(ink.Top, baseline) << "the text stands on its baseline";
}
}

TEST_F(FontRegistryTest, RegistersReplacesAndUnregistersByNickname)
{
    EXPECT_FALSE(IsFontRegistered("Console"));
    ASSERT_TRUE(RegisterFont(kFontFile, 20, "Console"));
    EXPECT_TRUE(IsFontRegistered("Console"));
    EXPECT_FALSE(IsFontRegistered("console")) << "nicknames are exact";
    const Vector2 small = GetTextExtents("Harbour", "Console");
    EXPECT_GT(small.X, 0.0f);
    EXPECT_GT(small.Y, 0.0f);
    EXPECT_GT(GetTextAscenderHeight("Console"), 10.0f);
    EXPECT_LT(GetTextAscenderHeight("Console"), 24.0f);

    // Registering the nickname again replaces the font.
    ASSERT_TRUE(RegisterFont(kFontFile, 40, "Console"));
    const Vector2 large = GetTextExtents("Harbour", "Console");
    EXPECT_NEAR(small.X * 2.0f, large.X, 3.0f);
    EXPECT_GT(large.Y, small.Y * 1.5f);

    EXPECT_TRUE(UnregisterFont("Console"));
    EXPECT_FALSE(IsFontRegistered("Console"));
    EXPECT_FALSE(UnregisterFont("Console"));
    EXPECT_TRUE(Logged("No font called \"Console\"; un-registration failed."));
}

TEST_F(FontRegistryTest, FailedReRegistrationKeepsTheFontThatWasThere)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 24, "Title"));
    const Vector2 before = GetTextExtents("Broadside", "Title");

    EXPECT_FALSE(RegisterFont("Resources/Fonts/NoSuchFont.ttf", 24, "Title"));
    EXPECT_TRUE(Logged("Failed to open font Resources/Fonts/NoSuchFont.ttf"));
    EXPECT_FALSE(RegisterFont(kFontFile, 0, "Title"));
    EXPECT_TRUE(Logged("Failed to set size."));

    ASSERT_TRUE(IsFontRegistered("Title"));
    const Vector2 after = GetTextExtents("Broadside", "Title");
    EXPECT_EQ(before, after);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    const Vector2 drawn = DrawScreenText("Broadside", "Title", 50, 100, 0.0f);
    EXPECT_EQ(before, drawn);
    EXPECT_FALSE(DrawnInk().Empty());
}

TEST_F(FontRegistryTest, BrokenFilesAndBadSizesAreNotRegistered)
{
    ScratchDirectory scratch;
    std::ofstream("broken.ttf") << "this is not a font";
    EXPECT_FALSE(RegisterFont("broken.ttf", 24, "Broken"));
    EXPECT_TRUE(Logged("Failed to open font broken.ttf"));
    EXPECT_FALSE(RegisterFont(kFontFile, -12, "Negative"));
    EXPECT_FALSE(IsFontRegistered("Broken"));
    EXPECT_FALSE(IsFontRegistered("Negative"));
}

TEST_F(FontRegistryTest, UnknownNicknamesDrawAndMeasureNothing)
{
    // Start-up has its own lines (controllers looked for, and so on); only the drawing's count.
    log->Lines.clear();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(Vector2(), DrawScreenText("Ahoy", "Nobody", 100, 100, 0.0f));
    EXPECT_EQ(Vector2(), DrawScreenTextColored("Ahoy", "Nobody", 100, 100, 0.0f, Color(1, 0, 0)));
    EXPECT_EQ(Vector2(), DrawTextRaw("Ahoy", "Nobody", 100, 100, 0.0f));
    EXPECT_EQ(Vector2(), GetTextExtents("Ahoy", "Nobody"));
    EXPECT_EQ(0.0f, GetTextAscenderHeight("Nobody"));
    EXPECT_TRUE(log->Lines.empty());
    EXPECT_TRUE(DrawnInk().Empty());
}

TEST_F(FontRegistryTest, RegisteredFontsDrawInsideTheirMeasuredExtents)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 16, "Small"));
    ASSERT_TRUE(RegisterFont(kFontFile, 48, "Large"));
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);

    // Capitals and descenders, so the text spans its whole measured height.
    const Vector2 small = DrawScreenText("Hgjy|Q", "Small", 100, 100, 0.0f);
    const Vector2 large = DrawScreenText("Hgjy|Q", "Large", 300, 400, 0.0f);
    EXPECT_EQ(GetTextExtents("Hgjy|Q", "Small"), small);
    EXPECT_EQ(GetTextExtents("Hgjy|Q", "Large"), large);

    ExpectInkInsideExtents(DrawnInk({0, 0, 250, 250}), small, 100, 100);
    ExpectInkInsideExtents(DrawnInk({250, 250, Width - 1, Height - 1}), large, 300, 400);
}

TEST_F(FontRegistryTest, ColouredTextSetsTheColourAndLeavesTheMatricesAsTheyWere)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 40, "Console"));
    GLint projectionDepth = 0;
    GLint modelViewDepth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
    glMatrixMode(GL_PROJECTION);

    DrawScreenTextColored("MMMM", "Console", 200, 200, 0.0f, Color(1.0f, 0.0f, 0.0f, 1.0f));

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(projectionDepth, depth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(modelViewDepth, depth);
    float colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(1.0f, colour[0]);
    EXPECT_EQ(0.0f, colour[1]);

    // The thick strokes of the capitals come out in pure red.
    const Box ink = DrawnInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(CountPixels(ink.Left, ink.Top, ink.Right + 1, ink.Bottom + 1, 255, 0, 0, 15), 50);
}

TEST_F(FontRegistryTest, TextAtTheTopEdgeShowsOnlyItsDescenders)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 40, "Console"));
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);

    DrawScreenText("HAME", "Console", 10, 0, 0.0f);
    EXPECT_TRUE(DrawnInk().Empty()) << "no descenders, nothing inside";

    DrawScreenText("gjpq", "Console", 10, 0, 0.0f);
    const Box ink = DrawnInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_EQ(0, ink.Top);
    EXPECT_LT(ink.Bottom, 20);
    EXPECT_GE(ink.Left, 10);
}

TEST_F(FontRegistryTest, RotatedTextRunsUpTheScreen)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 24, "Console"));
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    const Vector2 extents = DrawScreenText("Cannonball", "Console", 500, 500, 90.0f);

    const Box ink = DrawnInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.Height(), ink.Width() * 3);
    EXPECT_NEAR(ink.Height(), extents.X, 3.0f);
    EXPECT_LE(ink.Bottom, 501) << "turned counter-clockwise, the text rises from its start";
    EXPECT_LE(ink.Right, 502);
}

TEST_F(FontRegistryTest, RawTextUsesTheCallersProjection)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 24, "Console"));
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    // A projection of half the window's size doubles everything drawn in it.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 512.0, 0.0, 384.0, -1.0, 1.0);
    const Vector2 extents = DrawTextRaw("Ahoy", "Console", 100, 768 - 100, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const Box ink = DrawnInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR(ink.Left, 200, 6);
    EXPECT_GT(ink.Width(), extents.X * 1.6f);
}

// Each piece of text that is not UTF-8 is drawn and measured as one "?" where it stands,
// unturned (through the text batch) and turned (through the font library).
TEST_F(FontRegistryTest, TextThatIsNotUtf8IsDrawnWithAReplacementWhereEachBadPieceStands)
{
    ASSERT_TRUE(RegisterFont(kFontFile, 24, "Console"));
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    const std::pair<String, String> cases[] = {
        {"a\xff" "b\xfe", "a?b?"},                // bytes that are never UTF-8
        {"x\xfc", "x?"},                          // a lead byte at the end
        {"\xe0\x80" "c", "?" "?c"},               // a cut sequence, then a stray continuation byte
        {"\xc0\xaf" "e\xed\xa0\x80", "?" "?e?" "?" "?"},  // an overlong "/", a surrogate
        {"\xf4\x90\x80\x80" "d", "?" "?" "?" "?d"},       // past U+10FFFF
        {"caf\xc3\xa9 \xe2\x82", "caf\xc3\xa9 ?"},  // well-formed kept, a cut one at the end
    };
    for (const auto& [text, shown] : cases)
    {
        for (float rotation : {0.0f, 90.0f})
        {
            ClearWindow();
            const Vector2 drawn = DrawScreenText(text, "Console", 300, 300, rotation);
            const std::vector<unsigned char> picture = WindowPixels();
            ClearWindow();
            EXPECT_EQ(DrawScreenText(shown, "Console", 300, 300, rotation), drawn) << shown;
            EXPECT_TRUE(picture == WindowPixels()) << shown << " turned by " << rotation;
        }
        EXPECT_EQ(GetTextExtents(shown, "Console"), GetTextExtents(text, "Console")) << shown;
    }
}
