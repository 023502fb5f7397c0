// The real game under the test's X server: the start screen, a click into a battle, and
// steering the player's ship, all judged from the window's pixels.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace
{
const char* kTitle = "Zarvo Engine";

void Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

class SkarrowProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        ASSERT_FALSE(sandbox.GetDirectory().empty());
        Launch();
    }
    void TearDown() override
    {
        if (program)
            program->Kill();
    }

    // A fresh run of the game on its start screen.
    void Launch()
    {
        if (program)
        {
            program->Kill();
            Sleep(300);
        }
        program.reset(new ProgramProcess(ProgramSandbox::ProgramPath(), sandbox.GetDirectory()));
        ASSERT_TRUE(program->Start());
        window = display.WaitForWindow(kTitle, 20.0);
        ASSERT_NE(0ul, window) << program->ReadErrorOutput();
        WaitForStartScreen();
    }

    // The game loads its pictures, fonts and sounds before its first frame; under load that
    // takes a while. Waits until the title stands on the parchment.
    void WaitForStartScreen()
    {
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            Grab();
            if (pixels.size() != 1024u * 768u)
                return;
            const X11Display::Pixel& p = At(600, 150);
            if (p.R > 150 && p.R < 250 && p.B < p.R - 25 && Dark(162, 205, 500, 240) > 100)
                break;
            Sleep(100);
        }
        Sleep(200);
    }

    void Grab()
    {
        pixels = display.Capture(window, width, height);
        ASSERT_EQ(1024, width);
        ASSERT_EQ(768, height);
    }

    const X11Display::Pixel& At(int x, int y) const { return pixels[y * width + x]; }

    template <typename Test> int Count(int x0, int y0, int x1, int y1, Test test) const
    {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += test(At(x, y)) ? 1 : 0;
        return count;
    }

    // Text ink on the start screen's parchment.
    int Dark(int x0, int y0, int x1, int y1) const
    {
        return Count(x0, y0, x1, y1, [](const X11Display::Pixel& p) { return p.R < 90 && p.G < 90 && p.B < 90; });
    }

    // The hull's planks: a saturated brown, unlike the pale parchment of the forms.
    static bool IsWood(const X11Display::Pixel& p)
    {
        return p.R > 60 && p.R < 215 && p.R - p.G > 28 && p.G - p.B > 20;
    }
    int Wood(int x0, int y0, int x1, int y1) const { return Count(x0, y0, x1, y1, IsWood); }
    // Around the centre of the window, where the camera keeps the player's ship.
    int WoodAtTheCentre() const { return Wood(432, 304, 592, 464); }
    // The ship is 2 units (about 50 pixels) wide: its middle covers this square at any heading.
    int WoodInTheMiddle() const { return Wood(497, 369, 527, 399); }

    void StartHardcoreBattle()
    {
        X11Display::Xdo(window, "mousemove 510 594 click 1");
        // Until the title has gone, a few seconds at most.
        for (int attempt = 0; attempt < 50; ++attempt)
        {
            Sleep(100);
            Grab();
            if (Dark(162, 205, 500, 240) < 20)
                break;
        }
        Sleep(300);
    }

    // The whole window but the middle, where the player's ship stays.
    int ChangedAwayFromTheCentre(const std::vector<X11Display::Pixel>& before) const
    {
        int changed = 0;
        for (int y = 0; y < height; y += 2)
            for (int x = 0; x < width; x += 2)
            {
                if (x >= 392 && x < 632 && y >= 264 && y < 504)
                    continue;
                const X11Display::Pixel& a = before[y * width + x];
                const X11Display::Pixel& b = At(x, y);
                changed += (std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B) > 30) ? 1 : 0;
            }
        return changed;
    }

    void ToggleConsole()
    {
        X11Display::Xdo(window, "key grave");
        Sleep(300);
    }

    void RunInConsole(const std::string& line)
    {
        X11Display::Xdo(window, "type --delay 15 '" + line + "'");
        X11Display::Xdo(window, "key Return");
    }

    // How far the camera, and so the player's ship, moved since last asked; asked through the
    // open console, which answers on the program's error output. NaN when no answer came.
    double Sailed()
    {
        const std::string mark = "SHIP " + std::to_string(++questions) + " AT ";
        RunInConsole("shipAt(" + std::to_string(questions) + ")");
        for (int attempt = 0; attempt < 50; ++attempt, Sleep(100))
        {
            const std::string log = program->ReadErrorOutput();
            const size_t at = log.find(mark);
            double x = 0.0, y = 0.0;
            if (at != std::string::npos && std::sscanf(log.c_str() + at + mark.size(), "%lf %lf", &x, &y) == 2)
                return std::hypot(x - std::exchange(shipX, x), y - std::exchange(shipY, y));
        }
        ADD_FAILURE() << "no answer to " << mark << "\n" << program->ReadErrorOutput();
        return std::nan("");
    }

    void HoldW(int milliseconds)
    {
        X11Display::Xdo(window, "keydown w");
        Sleep(milliseconds);
        X11Display::Xdo(window, "keyup w");
        Sleep(100);
    }

    // Starts a battle and holds W for 1.5 s with the console open, then closed, before the
    // enemies (some 3 s away) can fire; returns whether the life bar under the ship shrank.
    bool SailWithTheConsoleOpenAndClosed(double& sailedOpen, double& sailedClosed)
    {
        auto lifeBar = [this] {
            Grab();
            return Count(400, 440, 624, 540,
                         [](const X11Display::Pixel& p) { return p.G > 110 && p.G > p.R + 40 && p.G > p.B + 40; });
        };
        ToggleConsole();
        RunInConsole("function shipAt(n) local p = zarvo.Camera_GetInstance():GetPosition() "
                     "io.stderr:write(\"SHIP \", n, \" AT \", p.X, \" \", p.Y, string.char(10)) end");
        ToggleConsole();
        StartHardcoreBattle();
        const int fullLife = lifeBar();
        ToggleConsole();
        Sailed();
        // W held while the console is open only types into it: into a comment, run with Enter.
        X11Display::Xdo(window, "type -- --");
        HoldW(1500);
        X11Display::Xdo(window, "key Return");
        sailedOpen = Sailed();
        ToggleConsole();
        HoldW(1500);
        ToggleConsole();
        sailedClosed = Sailed();
        Save("skarrow_steered_after_console");
        ToggleConsole();
        return lifeBar() * 50 < fullLife * 49;
    }

    void Save(const std::string& name)
    {
        display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/" + name + ".ppm");
    }

    ProgramSandbox sandbox;
    X11Display display;
    std::unique_ptr<ProgramProcess> program;
    unsigned long window = 0;
    int questions = 0;
    double shipX = 0.0, shipY = 0.0;
    std::vector<X11Display::Pixel> pixels;
    int width = 0;
    int height = 0;
};
}

TEST_F(SkarrowProgramTest, StartScreenShowsTitleHelpAndBothButtons)
{
    Grab();
    Save("skarrow_start_screen");
    // The title from (162, 234), the help lines every 30 pixels from 284, the seventh empty.
    EXPECT_GT(Dark(162, 205, 500, 240), 100);
    for (int line : {0, 1, 2, 3, 4, 5, 7, 8})
    {
        int baseline = 284 + 30 * line;
        EXPECT_GT(Dark(162, baseline - 22, 500, baseline + 6), 60) << "help line " << line;
    }
    EXPECT_EQ(0, Dark(162, 448, 900, 470));
    // Nothing written left of the text column.
    EXPECT_EQ(0, Dark(100, 205, 150, 530));
    // "Hardcore Mode" centred at (512, 594), "Tech Race Mode" at (512, 634): dark labels on
    // their faces, and the window's middle column between them has no label at all.
    EXPECT_GT(Dark(440, 582, 584, 606), 30);
    EXPECT_GT(Dark(430, 622, 594, 646), 30);
    EXPECT_EQ(0, Dark(300, 582, 400, 646));
    EXPECT_EQ(0, Dark(624, 582, 700, 646));
    // No ship before the battle.
    EXPECT_EQ(0, WoodAtTheCentre());
}

// Enemies appear at random, sometimes right beside the player, and can sink the player's
// ship within a second or two; such a run says nothing about the camera, so the game is
// started afresh, a few times at most.
const int kBattleAttempts = 4;

TEST_F(SkarrowProgramTest, HardcoreModeStartsABattleWithThePlayersShipCentred)
{
    Grab();
    ASSERT_GT(Dark(162, 205, 500, 240), 100);
    bool afloat = false;
    for (int attempt = 0; attempt < kBattleAttempts && !afloat; ++attempt)
    {
        if (attempt > 0)
            Launch();
        StartHardcoreBattle();
        Grab();
        Save("skarrow_battle_start");
        // The start screen is gone: no title, no help text, no buttons.
        EXPECT_LT(Dark(162, 205, 500, 240), 20);
        EXPECT_LT(Dark(162, 262, 420, 530), 40);
        EXPECT_LT(Dark(300, 582, 400, 646) + Dark(624, 582, 700, 646), 20);
        EXPECT_TRUE(program->IsRunning());
        // The hull, 6 by 2 world units at a view radius of 15, covers the window's centre.
        afloat = WoodAtTheCentre() > 2000 && WoodInTheMiddle() > 300;
    }
    EXPECT_TRUE(afloat);
}

TEST_F(SkarrowProgramTest, HoldingWSailsTheShipWhileTheCameraKeepsItCentred)
{
    bool centred = false;
    std::vector<X11Display::Pixel> before;
    for (int attempt = 0; attempt < kBattleAttempts && !centred; ++attempt)
    {
        if (attempt > 0)
            Launch();
        StartHardcoreBattle();
        Grab();
        if (WoodInTheMiddle() <= 300)
            continue;
        before = pixels;
        X11Display::Xdo(window, "keydown w");
        Sleep(1500);
        X11Display::Xdo(window, "keyup w");
        Sleep(200);
        Grab();
        Save("skarrow_after_sailing");
        EXPECT_TRUE(program->IsRunning());
        // Still in the middle of the window: the camera follows the ship.
        centred = WoodAtTheCentre() > 2000 && WoodInTheMiddle() > 300;
    }
    ASSERT_TRUE(centred);

    // With the sea drawn under the battle, sailing moves it past the window. A plain clear
    // colour in every corner means there is no sea to watch.
    int bare = 0;
    for (int corner : {0, 1, 2, 3})
    {
        int x = (corner % 2) ? 1000 : 10;
        int y = (corner / 2) ? 750 : 20;
        const X11Display::Pixel& p = At(x, y);
        bare += (p.R == 255 && p.G == 255 && p.B == 255) ? 1 : 0;
    }
    if (bare == 4)
        GTEST_SKIP() << "no sea under the battle in this build";
    EXPECT_GT(ChangedAwayFromTheCentre(before), 2000);
}

TEST_F(SkarrowProgramTest, TheShipTakesNoSteeringWhileTheConsoleIsOpen)
{
    // A ship hit by enemy fire is shoved about, which says nothing of its steering: play afresh.
    double sailedOpen = 0.0, sailedClosed = 0.0;
    bool hit = true;
    for (int attempt = 0; attempt < kBattleAttempts && hit; ++attempt)
    {
        if (attempt > 0)
        {
            ASSERT_NO_FATAL_FAILURE(Launch());
        }
        hit = SailWithTheConsoleOpenAndClosed(sailedOpen, sailedClosed);
    }
    // Held this long, W sails the ship 3 to 5 units; a hit shoves it about half a unit.
    EXPECT_LT(sailedOpen, 1.5) << "the ship sailed while the console was open";
    EXPECT_GT(sailedClosed, 1.0) << "W did not sail the ship with the console closed";
}
