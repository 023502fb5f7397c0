// The console drawn over the top half of the World's window, read back pixel by pixel.
#include "engine/console/TestConsole.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/util/StringUtil.h"
#include "support/WorldWindow.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>
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

    // The frame with the console drawn over the World's white background.
    void DrawConsole(Console& drawn)
    {
        RenderFrame();
        drawn.Render();
    }

    void Type(const String& text)
    {
        for (char c : text)
            console.GetInput(static_cast<unsigned char>(c));
    }

    bool IsConsoleGreen(const Pixel& pixel) { return pixel.G > 160 && pixel.R < 100 && pixel.B < 100; }

    int CountConsoleGreen(int x0, int y0, int x1, int y1)
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += IsConsoleGreen(ReadPixel(x, y)) ? 1 : 0;
        return count;
    }

    // Bands of consecutive rows holding green text, as (first row, last row).
    std::vector<std::pair<int, int> > GreenRowBands(int x0, int y0, int x1, int y1)
    {
        std::vector<std::pair<int, int> > bands;
        for (int y = y0; y < y1; ++y)
        {
            if (CountConsoleGreen(x0, y, x1, y + 1) == 0)
                continue;
            if (!bands.empty() && bands.back().second == y - 1)
                bands.back().second = y;
            else
                bands.push_back(std::make_pair(y, y));
        }
        return bands;
    }

    std::vector<Pixel> WholeFrame()
    {
        std::vector<Pixel> frame;
        frame.reserve(Width * Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                frame.push_back(ReadPixel(x, y));
        return frame;
    }

    TestConsole console;
};

bool SamePixels(const std::vector<WorldWindow::Pixel>& a, const std::vector<WorldWindow::Pixel>& b)
{
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].R != b[i].R || a[i].G != b[i].G || a[i].B != b[i].B)
            return false;
    }
    return a.size() == b.size();
}
}

TEST_F(ConsoleDrawingTest, PanelAndInputBarCoverTheTopHalfOnlyWhileOpen)
{
    console.Enable(false);
    DrawConsole(console);
    EXPECT_TRUE(RegionIs(0, 0, Width, Height, 255, 255, 255));

    console.Enable(true);
    DrawConsole(console);
    // Three quarters black over white.
    EXPECT_TRUE(RegionIs(0, 0, Width, kPanelHeight - 40, 64, 64, 64, 3));
    // The green frame of the input bar, and its black inside.
    EXPECT_TRUE(IsColor(ReadPixel(0, kPanelHeight + kLineHeight / 2), 159, 255, 159, 3));
    EXPECT_TRUE(IsColor(ReadPixel(Width - 1, kPanelHeight), 159, 255, 159, 3));
    EXPECT_TRUE(IsColor(ReadPixel(Width - 100, kPanelHeight + kLineHeight / 2), 40, 64, 40, 3));
    EXPECT_TRUE(RegionIs(0, kInputBarBottom, Width, Height, 255, 255, 255));
}

TEST_F(ConsoleDrawingTest, TypedInputAndOutputShowInTheirPlaces)
{
    DrawConsole(console);
    const int promptOnly = CountConsoleGreen(0, kPanelHeight, Width, kInputBarBottom);
    EXPECT_GT(promptOnly, 0);

    Type("HELLO WORLD");
    DrawConsole(console);
    EXPECT_GT(CountConsoleGreen(0, kPanelHeight, Width, kInputBarBottom), promptOnly + 100);

    console.GetSpecialInputDown(GLFW_KEY_ENTER);
    DrawConsole(console);
    // The echo is the newest output line, white just above the panel's lower edge.
    int white = 0;
    for (int y = kPanelHeight - 30; y < kPanelHeight; ++y)
        for (int x = 0; x < Width; ++x)
            white += IsColor(ReadPixel(x, y), 255, 255, 255, 60) ? 1 : 0;
    EXPECT_GT(white, 200);
}

TEST_F(ConsoleDrawingTest, CompletionListShowsSixCandidatesAndAMoreRow)
{
    class OfferingConsole : public TestConsole
    {
    public:
        StringList GetCompletions(const String&) override { return offered; }
        StringList offered;
    } offering;
    offering.Enable(true);
    for (int i = 0; i < 10; ++i)
        offering.offered.push_back("SHIP" + IntToString(i));
    for (char c : String("SHI"))
        offering.GetInput(static_cast<unsigned char>(c));
    DrawConsole(offering);

    const int listLeft = kGap / 2 + kGap + Height / 24;
    std::vector<std::pair<int, int> > rows =
        GreenRowBands(listLeft, kInputBarBottom, Width, kInputBarBottom + kLineHeight * 8);
    ASSERT_EQ(7u, rows.size());
    // The seventh row is the dots of "...", far lower than a row of capitals and digits.
    EXPECT_GT(rows[0].second - rows[0].first, 8);
    EXPECT_LT(rows[6].second - rows[6].first, 5);
    // The list's black box ends below its seventh row.
    EXPECT_TRUE(IsColor(ReadPixel(Width - 10, kInputBarBottom + kLineHeight * 7 - 2), 64, 64, 64, 3));
    EXPECT_TRUE(IsColor(ReadPixel(Width - 10, kInputBarBottom + kLineHeight * 7 + 2), 255, 255, 255, 3));

    offering.offered.resize(3);
    offering.GetInput('P');
    DrawConsole(offering);
    EXPECT_EQ(3u, GreenRowBands(listLeft, kInputBarBottom, Width, kInputBarBottom + kLineHeight * 8).size());
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
    DrawConsole(console);
    const std::vector<Pixel> culled = WholeFrame();

    TestConsole empty;
    empty.Enable(true);
    DrawConsole(empty);
    float tallest = 0.0f;
    for (const String& line : lines)
        tallest = std::max(tallest, GetTextExtents(line, "ConsoleSmall").Y);
    const int step = static_cast<int>(std::floor(tallest)) + kGap;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    int y = kPanelHeight - kGap;
    for (StringList::const_reverse_iterator line = lines.rbegin(); line != lines.rend(); ++line, y -= step)
        DrawScreenText(*line, "ConsoleSmall", kGap, y);
    const std::vector<Pixel> everyLine = WholeFrame();

    EXPECT_TRUE(SamePixels(everyLine, culled));
    // The window's top rows hold text, so the cut really falls above the window.
    EXPECT_GT(CountPixels(0, 0, Width, step, 255, 255, 255, 80), 0);
}
