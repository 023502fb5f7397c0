// The console drawn over the top half of the World's window, read back pixel by pixel.
#include "engine/console/TestConsole.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextBatch.h"
#include "engine/util/StringUtil.h"
#include "support/WorldWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const char* const kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";

// The layout of a 768-pixel-high window.
const int kGap = WorldWindow::Height / 192;
const int kLineHeight = WorldWindow::Height / 32 + kGap;
const int kPanelHeight = WorldWindow::Height / 2;
const int kInputBarBottom = kPanelHeight + kLineHeight;
const int kCompletionLeft = kGap / 2 + kGap + WorldWindow::Height / 24;

class OfferingConsole : public TestConsole
{
public:
    StringList GetCompletions(const String&) override { return offered; }
    StringList offered;
};

class ConsoleDrawingTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        ASSERT_TRUE(RegisterFont(kFontFile, 24, "Console"));
        ASSERT_TRUE(RegisterFont(kFontFile, 18, "ConsoleSmall"));
        console.Enable(true);
    }

    void TearDown() override { TextBatch::SetEnabled(true); }

    // The frame with the console drawn over the World's white background.
    void DrawConsole()
    {
        RenderFrame();
        console.Render();
    }

    void Type(const String& text)
    {
        for (char c : text)
            console.GetInput(static_cast<unsigned char>(c));
    }

    int CountGreenText(int x0, int y0, int x1, int y1) { return CountPixels(x0, y0, x1, y1, 0, 255, 0, 90); }

    // How many bands of consecutive rows hold green text.
    int GreenRowBands(int x0, int y0, int x1, int y1)
    {
        int bands = 0;
        for (int y = y0; y < y1; ++y)
            bands += CountGreenText(x0, y, x1, y + 1) > 0 && CountGreenText(x0, y - 1, x1, y) == 0;
        return bands;
    }

    std::vector<unsigned char> WholeFrame()
    {
        std::vector<unsigned char> frame;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                frame.push_back(static_cast<unsigned char>(ReadPixel(x, y).G));
        return frame;
    }

    // The console as drawn before it left out what can't be seen: every line whole, newest
    // lowest, spaced by the tallest. Returns the spacing.
    int DrawEveryLineWhole(const StringList& lines)
    {
        OfferingConsole empty;
        empty.Enable(true);
        RenderFrame();
        empty.Render();
        float tallest = 0.0f;
        for (const String& line : lines)
            tallest = std::max(tallest, GetTextExtents(line, "ConsoleSmall").Y);
        const int step = static_cast<int>(std::floor(tallest)) + kGap;
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        int y = kPanelHeight - kGap;
        for (StringList::const_reverse_iterator line = lines.rbegin(); line != lines.rend(); ++line, y -= step)
            DrawScreenText(*line, "ConsoleSmall", kGap, y);
        return step;
    }

    OfferingConsole console;
};
}

TEST_F(ConsoleDrawingTest, PanelInputBarAndTypedTextOnlyWhileOpen)
{
    console.Enable(false);
    DrawConsole();
    EXPECT_TRUE(RegionIs(0, 0, Width, Height, 255, 255, 255));

    console.Enable(true);
    DrawConsole();
    // Three quarters black over white; the input bar's green frame and its black inside.
    EXPECT_TRUE(RegionIs(0, 0, Width, kPanelHeight - 40, 64, 64, 64, 3));
    EXPECT_TRUE(IsColor(ReadPixel(0, kPanelHeight + kLineHeight / 2), 159, 255, 159, 3));
    EXPECT_TRUE(IsColor(ReadPixel(Width - 100, kPanelHeight + kLineHeight / 2), 40, 64, 40, 3));
    EXPECT_TRUE(RegionIs(0, kInputBarBottom, Width, Height, 255, 255, 255));
    const int promptOnly = CountGreenText(0, kPanelHeight + 2, Width, kInputBarBottom - 2);

    Type("HELLO WORLD");
    DrawConsole();
    EXPECT_GT(CountGreenText(0, kPanelHeight + 2, Width, kInputBarBottom - 2), promptOnly + 100);
}

TEST_F(ConsoleDrawingTest, CompletionListShowsSixCandidatesAndAMoreRow)
{
    for (int i = 0; i < 10; ++i)
        console.offered.push_back("SHIP" + IntToString(i));
    Type("SHI");
    DrawConsole();
    const int listBottom = kInputBarBottom + kLineHeight * 8;
    EXPECT_EQ(7, GreenRowBands(kCompletionLeft, kInputBarBottom, Width, listBottom));
    // The seventh row holds only the low dots of "...".
    const int seventhRow = kInputBarBottom + kLineHeight * 6;
    EXPECT_EQ(0, CountGreenText(kCompletionLeft, seventhRow, Width, seventhRow + kLineHeight / 2));
    EXPECT_GT(CountGreenText(kCompletionLeft, seventhRow, Width, seventhRow + kLineHeight), 0);

    console.offered.resize(3);
    Type("P");
    DrawConsole();
    EXPECT_EQ(3, GreenRowBands(kCompletionLeft, kInputBarBottom, Width, listBottom));
}

TEST_F(ConsoleDrawingTest, DrawingOnlyTheVisibleLinesGivesTheSamePixelsAsDrawingThemAll)
{
    // Capitals and digits only: nothing reaches below a baseline into the input bar, so
    // lines drawn after the whole console land on the same pixels.
    StringList lines;
    for (int i = 0; i < 1000; ++i)
        lines.push_back("LINE " + IntToString(i) + " OF THE LOG");
    for (const String& line : lines)
        console.WriteToOutput(line + "\n");
    DrawConsole();
    const std::vector<unsigned char> culled = WholeFrame();

    const int step = DrawEveryLineWhole(lines);

    EXPECT_TRUE(WholeFrame() == culled);
    // The window's top rows hold text, so the cut really falls above the window.
    EXPECT_GT(CountPixels(0, 0, Width, step, 255, 255, 255, 80), 0);
}

// Lines far wider than the window, with two- and three-byte characters. The oldest is written
// in pieces, capitals first: only its later pieces reach below the baseline and above the
// capitals, so the spacing grows only if the continued line is measured again.
TEST_F(ConsoleDrawingTest, LongLinesDrawOnlyWhatTheWindowShowsWithTheSamePixels)
{
    String mixed, capitals;
    while (mixed.size() < 20000)
        mixed += "Lorem ipsum \xc3\xa9t\xc3\xa9 42 jumpy ";
    while (capitals.size() < 20000)
        capitals += "SHIP 42 \xe2\x82\xac ";
    const StringList lines = {"QUICK BROWN jumpy fox " + mixed, capitals, String(30000, 'W') + "END"};
    for (const String& piece : {String("QUICK BROWN "), String("jumpy fox "), mixed + "\n" + capitals + "\n" + lines[2] + "\n"})
    {
        console.WriteToOutput(piece);
        DrawConsole();
    }
    const std::vector<unsigned char> cut = WholeFrame();
    EXPECT_GT(CountPixels(Width - 40, 0, Width, kPanelHeight, 255, 255, 255, 80), 0);
    EXPECT_GT(GetTextExtents(lines[0], "ConsoleSmall").Y, GetTextExtents(lines[1] + lines[2], "ConsoleSmall").Y);
    DrawEveryLineWhole(lines);
    EXPECT_TRUE(WholeFrame() == cut);
}

// Lines and completions the text batch can't take (beyond ASCII) are drawn by the font library
// between the batched ones, in order: the picture is the one the library draws alone.
TEST_F(ConsoleDrawingTest, BatchedLinesLookAsTheFontLibraryDrawsThem)
{
    String wide;
    while (wide.size() < 3000)
        wide += "gjpqy |AVAWAY 0123 ";
    for (int i = 0; i < 60; ++i)
        console.WriteToOutput(i % 7 == 3   ? "caf\xc3\xa9 " + IntToString(i) + " \xe2\x82\xac\n"
                              : i % 5 == 1 ? wide + IntToString(i) + "\n"
                                           : "Line " + IntToString(i) + ": gjpqy |{}[]~\n");
    for (int i = 0; i < 10; ++i)
        console.offered.push_back(i == 2 ? "SHIP\xc3\xa9" : "SHIP_" + IntToString(i * 37) + "gj");
    Type("SHI");
    DrawConsole();
    const std::vector<unsigned char> batched = WindowPixels();
    TextBatch::SetEnabled(false);
    DrawConsole();
    EXPECT_TRUE(WindowPixels() == batched);
    // Text reaches the top and right edges of the window and fills the completion list.
    EXPECT_GT(CountPixels(0, 0, Width, 8, 255, 255, 255, 80), 0);
    EXPECT_GT(CountPixels(Width - 20, 0, Width, kPanelHeight, 255, 255, 255, 80), 0);
    EXPECT_EQ(7, GreenRowBands(kCompletionLeft, kInputBarBottom, Width, kInputBarBottom + kLineHeight * 8));
}
