// The start screen: built hidden, shown with its buttons, drawn with its texts.
#include "engine/core/World.h"
#include "engine/rendering/FontRegistry.h"
#include "game/core/GameConstants.h"
#include "game/screens/StartScreen.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>

#include <memory>

namespace
{
class StartScreenTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        ASSERT_TRUE(RegisterFont("Resources/Fonts/ShadowsIntoLight.ttf", 24, TextbodyFont));
        ASSERT_TRUE(RegisterFont("Resources/Fonts/ShadowsIntoLight.ttf", 32, TitleFont));
        screen.reset(new StartScreen());
    }

    int CountOnLayer(int layer)
    {
        const RenderLayers& layers = World::GetInstance()->GetLayers();
        RenderLayers::const_iterator found = layers.find(layer);
        return found == layers.end() ? 0 : (int)found->second.size();
    }

    int DarkPixels(int x0, int y0, int x1, int y1) { return CountPixels(x0, y0, x1, y1, 0, 0, 0, 90); }

    std::unique_ptr<StartScreen> screen;
};
}

TEST_F(StartScreenTest, BuiltHiddenThenShownOnceOnItsLayers)
{
    EXPECT_FALSE(screen->IsVisible());
    EXPECT_EQ(0, CountOnLayer(12));
    EXPECT_EQ(0, CountOnLayer(13));
    screen->SetVisible(true);
    screen->SetVisible(true);
    EXPECT_EQ(1, CountOnLayer(12));
    EXPECT_EQ(2, CountOnLayer(13));
    EXPECT_EQ(HardcoreModeButtonText, screen->GetHardcoreButton().GetLabel());
    EXPECT_EQ(StartTechRaceMessage, screen->GetTechRaceButton().GetMessage());
    screen->SetVisible(false);
    screen->SetVisible(false);
    EXPECT_EQ(0, CountOnLayer(12));
    EXPECT_EQ(0, CountOnLayer(13));
    EXPECT_EQ(BS_Hidden, screen->GetHardcoreButton().GetState());
}

TEST_F(StartScreenTest, DrawsTitleHelpLinesAndButtonsAtTheirPlaces)
{
    screen->SetVisible(true);
    DrawFrame();
    Capture();
    // Title baseline at y 234 from x 162; help lines every 30 pixels from 284; the seventh empty.
    EXPECT_GT(DarkPixels(162, 205, 500, 240), 100);
    EXPECT_GT(DarkPixels(162, 262, 500, 290), 60);
    EXPECT_GT(DarkPixels(162, 412, 500, 440), 60);
    EXPECT_EQ(0, DarkPixels(162, 448, 900, 470));
    EXPECT_GT(DarkPixels(162, 472, 500, 500), 60);
    // Button faces centred at (512, 594) and (512, 634), with dark labels.
    EXPECT_GT(DarkPixels(440, 580, 584, 608), 30);
    EXPECT_GT(DarkPixels(440, 620, 584, 648), 30);
}

// The parchment's painted frame begins at about x = 985 of the 1024-wide window.
TEST_F(StartScreenTest, EveryHelpLineEndsInsideTheParchmentsFrame)
{
    for (const String& line : HelpLines)
    {
        Vector2 lower, upper;
        GetTextBounds(line, TextbodyFont, lower, upper);
        EXPECT_LT(512 - 350 + upper.X, 985.0f) << line;
    }
}

// Moved by a script beyond every pixel, its text positions met an undefined cast to int.
TEST_F(StartScreenTest, MovedBeyondEveryPixelItDrawsNothingThere)
{
    screen->SetVisible(true);
    screen->SetPosition(1e10f, std::nanf(""));
    screen->GetHardcoreButton().SetPosition(std::nanf(""), 1e30f);
    DrawFrame();
    Capture();
    EXPECT_EQ(0, DarkPixels(162, 205, 500, 500));
}
