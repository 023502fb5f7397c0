// The real program played through a tech race from the start screen to the end screen and
// back, with the mouse and keyboard of the test's X server and the sound written to a WAV
// file, which is then checked for music and effects.
#include "support/ProgramProcess.h"
#include "support/ProgramSandbox.h"
#include "support/WaveRecording.h"
#include "support/X11Display.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace
{
const char* kTitle = "Zarvo Engine";

struct Region
{
    int x0, y0, x1, y1;
};

// Where the forms draw their texts in the 1024 x 768 window (the forms are centred at
// 512, 384; a text's y is its baseline).
const Region ShipyardTitle = {155, 200, 300, 245};
const Region RumLabel = {355, 212, 470, 250};
const Region UpgradeButtons[5] = {{520, 270, 705, 300}, {520, 320, 705, 350}, {520, 370, 705, 400},
                                  {520, 420, 705, 450}, {520, 470, 705, 500}};
const Region UpgradeLevels[5] = {{305, 265, 335, 300}, {305, 315, 335, 350}, {305, 365, 335, 400},
                                 {305, 415, 335, 450}, {305, 465, 335, 500}};
const Region ResultTitle = {155, 200, 400, 245};
const Region ResultLine = {155, 255, 560, 295};
const Region StartTitle = {155, 200, 500, 245};
// The player's life bar: the camera keeps the player at the window centre, the bar below it.
const Region PlayerLifeBar = {400, 440, 624, 540};

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

long long FileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (long long)info.st_size : 0;
}

// Where in the recording a salvo's mini-cannon shot and broadside were fired (the output file's
// size at the click; -1 not yet), and how many shipyards had opened by the first.
struct Salvo
{
    long long miniCannons, broadside;
    size_t shipyards;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class TechRaceRoundTripTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.IsOpen()) << "no X server (run the tests through scripts/test.sh)";
        ASSERT_FALSE(sandbox.GetDirectory().empty());
        wavePath = ProgramSandbox::ArtifactDirectory() + "/tech_race_round_trip.wav";
        Launch();
    }
    void TearDown() override
    {
        if (program)
            program->Kill();
    }

    // A fresh run of the game, its sound written to a new recording.
    void Launch()
    {
        if (program)
        {
            program->Kill();
            Sleep(0.3); // the new window is found by the same title: the old one must be gone
        }
        std::remove(wavePath.c_str());
        const std::string config = sandbox.GetDirectory() + "/alsoft.conf";
        std::ofstream(config.c_str()) << "[general]\ndrivers = wave\n[wave]\nfile = " << wavePath << "\n";
        program.reset(new ProgramProcess(ProgramSandbox::ProgramPath(), sandbox.GetDirectory()));
        program->UnsetEnvironment("ALSOFT_DRIVERS");
        program->SetEnvironment("ALSOFT_CONF", config);
        ASSERT_TRUE(program->Start());
        window = display.WaitForWindow(kTitle, 20.0);
        ASSERT_NE(0ul, window) << program->ReadErrorOutput();
    }

    // Waits for the game to log a change of state, e.g. "shipyard -> tech race".
    bool WaitForState(const std::string& change, double timeoutSeconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
        while (std::chrono::steady_clock::now() < deadline)
        {
            if (program->ReadErrorOutput().find("Game state: " + change) != std::string::npos)
                return true;
            Sleep(0.05);
        }
        return false;
    }

    void Shot(const std::string& name)
    {
        pixels = display.Capture(window, width, height);
        ASSERT_EQ(1024, width);
        ASSERT_EQ(768, height);
        display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/tech_race_" + name + ".ppm");
    }

    // A busy machine can be slow to draw the first frames after a change of screen: shoots
    // until the picture shows what is awaited, or 20 seconds have passed.
    template <typename Awaited>
    void ShotWhen(const std::string& name, Awaited awaited)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        Shot(name);
        while (!awaited() && std::chrono::steady_clock::now() < deadline)
        {
            Sleep(0.2);
            Shot(name);
        }
    }

    // "Close": the battle goes on over the open sea, shot at once to fire before the enemies near.
    void IntoTheBattle(long long& shipyardClosed, int& fullLife)
    {
        shipyardClosed = FileSize(wavePath);
        Click(612, 534);
        ASSERT_TRUE(WaitForState("shipyard -> tech race", 10.0)) << program->ReadErrorOutput();
        ShotWhen("battle", [this] { return InkIn(ShipyardTitle) == 0 && GreenIn(PlayerLifeBar) > 300; });
        EXPECT_GT(SeaIn(Region{0, 0, 200, 150}), 20000);
        EXPECT_EQ(0, InkIn(ShipyardTitle));
        fullLife = GreenIn(PlayerLifeBar);
        EXPECT_GT(fullLife, 300) << "the player's life bar";
    }

    void Click(int x, int y, int button = 1)
    {
        std::ostringstream command;
        command << "mousemove --window " << window << " " << x << " " << y << " click " << button;
        ASSERT_EQ(0, X11Display::Xdo(window, command.str()));
    }

    // Dark ink of the forms' texts.
    int InkIn(const Region& r) const { return Count(r, [](const X11Display::Pixel& p) { return p.R < 90 && p.G < 90 && p.B < 90; }); }
    // The life bar's green.
    int GreenIn(const Region& r) const
    {
        return Count(r, [](const X11Display::Pixel& p) { return p.G > 110 && p.G > p.R + 40 && p.G > p.B + 40; });
    }
    // The open sea is blue, the forms are parchment.
    int SeaIn(const Region& r) const { return Count(r, [](const X11Display::Pixel& p) { return p.B > p.R + 40; }); }
    int ParchmentIn(const Region& r) const
    {
        return Count(r, [](const X11Display::Pixel& p) { return p.R > 150 && p.G > 130 && p.R > p.B; });
    }

    template <typename Test>
    int Count(const Region& r, Test test) const
    {
        int count = 0;
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x)
                if (test(pixels[y * width + x]))
                    ++count;
        return count;
    }

    std::vector<X11Display::Pixel> Cut(const Region& r) const
    {
        std::vector<X11Display::Pixel> part;
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x)
                part.push_back(pixels[y * width + x]);
        return part;
    }

    static int Differences(const std::vector<X11Display::Pixel>& a, const std::vector<X11Display::Pixel>& b)
    {
        int count = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (std::abs(a[i].R - b[i].R) + std::abs(a[i].G - b[i].G) + std::abs(a[i].B - b[i].B) > 60)
                ++count;
        return count;
    }

    ProgramSandbox sandbox;
    X11Display display;
    std::unique_ptr<ProgramProcess> program;
    unsigned long window = 0;
    std::string wavePath;
    std::vector<X11Display::Pixel> pixels;
    int width = 0;
    int height = 0;
};
}

TEST_F(TechRaceRoundTripTest, ShipyardBattleSinkingEndScreenAndBackWithMusicAndEffects)
{
    // The game loads its data after the window opens; under a loaded machine that takes a while.
    ASSERT_TRUE(WaitForState("none -> start screen", 30.0)) << program->ReadErrorOutput();
    ShotWhen("start", [this] { return ParchmentIn(StartTitle) > 5000; });
    const std::vector<X11Display::Pixel> startTitle = Cut(StartTitle);
    EXPECT_GT(InkIn(StartTitle), 200);

    // "Tech Race Mode": the first wave comes with the shipyard over the paused battle.
    Click(510, 634);
    ASSERT_TRUE(WaitForState("tech race -> shipyard (wave 1, 0", 10.0)) << program->ReadErrorOutput();
    long long shipyardOpened = FileSize(wavePath);
    Sleep(1.0);
    Shot("shipyard_open");
    EXPECT_GT(InkIn(ShipyardTitle), 150) << "\"Shipyard\"";
    EXPECT_GT(InkIn(RumLabel), 80) << "\"Rum: 50\"";
    const int rum50Ink = InkIn(RumLabel);
    const std::vector<X11Display::Pixel> rum50 = Cut(RumLabel);
    std::vector<std::vector<X11Display::Pixel>> labelsBefore;
    std::vector<std::vector<X11Display::Pixel>> levelsBefore;
    for (int row = 0; row < 5; ++row)
    {
        EXPECT_GT(InkIn(UpgradeButtons[row]), 150) << "\"Upgrade for 25\" in row " << row;
        labelsBefore.push_back(Cut(UpgradeButtons[row]));
        levelsBefore.push_back(Cut(UpgradeLevels[row]));
    }
    // Every kind is at level 0 and costs the same: the five labels look alike.
    for (int row = 1; row < 5; ++row)
        EXPECT_LT(Differences(labelsBefore[0], labelsBefore[row]), 40) << "row " << row;

    // Velocity and handling, 25 each: the 50 rum are spent.
    Click(612, 334);
    Sleep(0.4);
    Click(612, 384);
    Sleep(0.8);
    Shot("shipyard_bought");
    EXPECT_GT(Differences(rum50, Cut(RumLabel)), 20) << "the rum label did not change";
    EXPECT_LT(InkIn(RumLabel), rum50Ink) << "\"Rum: 0\" is one glyph shorter than \"Rum: 50\"";
    EXPECT_GT(InkIn(RumLabel), 40) << "\"Rum: 0\"";
    for (int row = 0; row < 5; ++row)
    {
        const bool bought = row == 1 || row == 2;
        const int labelChange = Differences(labelsBefore[row], Cut(UpgradeButtons[row]));
        const int levelChange = Differences(levelsBefore[row], Cut(UpgradeLevels[row]));
        if (bought)
        {
            EXPECT_GT(labelChange, 20) << "row " << row << " still reads \"Upgrade for 25\"";
            EXPECT_GT(levelChange, 10) << "row " << row << " still at level 0";
        }
        else
        {
            EXPECT_LT(labelChange, 40) << "row " << row;
            EXPECT_EQ(0, levelChange) << "row " << row;
        }
    }

    // The battle music alone for a while (the battle waits while the shipyard is open).
    Sleep(2.0);
    long long shipyardClosed = 0;
    int fullLife = 0;
    ASSERT_NO_FATAL_FAILURE(IntoTheBattle(shipyardClosed, fullLife));

    // Lying still and firing to the right every 3 s: the mini cannons (button 1), 0.6 s later a
    // broadside (button 3), whose balls fall short and splash 1.5 s after it. The enemies come
    // and wear the player down. A wave sunk by chance opens the shipyard again: Tab closes it.
    size_t shipyardsSeen = 1;
    std::vector<Salvo> salvos;
    int lowestLife = fullLife;
    bool sunk = false;
    auto begun = std::chrono::steady_clock::now();
    int round = 0;
    int replays = 2;
    while (!sunk && std::chrono::steady_clock::now() < begun + std::chrono::seconds(150))
    {
        // An enemy far off wanders in circles (25 s each) that may never pass a ship lying still:
        // with no damage (a mini-cannon hit takes 5 %) in 40 s, a fresh game is played, the
        // shipyard left open long enough to hear its music.
        if (lowestLife * 50 > fullLife * 49 && std::chrono::steady_clock::now() > begun + std::chrono::seconds(40) &&
            replays-- > 0)
        {
            ASSERT_NO_FATAL_FAILURE(Launch());
            ASSERT_TRUE(WaitForState("none -> start screen", 30.0)) << program->ReadErrorOutput();
            Click(510, 634);
            ASSERT_TRUE(WaitForState("tech race -> shipyard (wave 1, 0", 10.0)) << program->ReadErrorOutput();
            shipyardOpened = FileSize(wavePath);
            Sleep(4.0);
            ASSERT_NO_FATAL_FAILURE(IntoTheBattle(shipyardClosed, fullLife));
            shipyardsSeen = 1;
            salvos.clear();
            lowestLife = fullLife;
            begun = std::chrono::steady_clock::now();
            round = 0;
        }
        if (round % 15 == 0)
        {
            salvos.push_back(Salvo{FileSize(wavePath), -1, shipyardsSeen});
            Click(850, 384);
        }
        if (round % 15 == 3)
        {
            salvos.back().broadside = FileSize(wavePath);
            Click(850, 384, 3);
        }
        if (round % 5 == 2)
        {
            pixels = display.Capture(window, width, height);
            if (program->ReadErrorOutput().find("-> end screen") == std::string::npos)
                lowestLife = std::min(lowestLife, GreenIn(PlayerLifeBar));
        }
        if (round == 20)
            display.SavePPM(window, ProgramSandbox::ArtifactDirectory() + "/tech_race_fight.ppm");
        const std::string log = program->ReadErrorOutput();
        sunk = log.find("tech race -> end screen") != std::string::npos;
        size_t shipyards = 0;
        for (size_t at = log.find("-> shipyard"); at != std::string::npos; at = log.find("-> shipyard", at + 1))
            ++shipyards;
        if (shipyards > shipyardsSeen)
        {
            shipyardsSeen = shipyards;
            X11Display::Xdo(window, "key Tab");
        }
        Sleep(0.2);
        ++round;
    }
    ASSERT_TRUE(sunk) << "the player did not sink\n" << program->ReadErrorOutput();
    const long long battleEnded = FileSize(wavePath);
    salvos.push_back(Salvo{battleEnded, -1, shipyardsSeen}); // where the last salvo's time ran out
    EXPECT_LT(lowestLife, fullLife * 9 / 10) << "no damage showed on the player's life bar";

    // "Your result" and "You destroyed N enemy ships."
    Sleep(1.0);
    Shot("end");
    EXPECT_GT(InkIn(ResultTitle), 200) << "\"Your result\"";
    EXPECT_GT(InkIn(ResultLine), 200) << "\"You destroyed N enemy ships.\"";
    EXPECT_EQ(0, SeaIn(Region{0, 0, 200, 150}));

    // Space starts again.
    ASSERT_EQ(0, X11Display::Xdo(window, "key space"));
    ASSERT_TRUE(WaitForState("end screen -> start screen", 10.0)) << program->ReadErrorOutput();
    ShotWhen("start_again", [&] { return Differences(startTitle, Cut(StartTitle)) < 20; });
    EXPECT_LT(Differences(startTitle, Cut(StartTitle)), 20);

    // Escape ends the program, which completes the recording.
    ASSERT_EQ(0, X11Display::Xdo(window, "key Escape"));
    ASSERT_TRUE(program->WaitForExit(15.0)) << program->ReadErrorOutput();
    EXPECT_EQ(0, program->GetExitStatus()) << program->ReadErrorOutput();

    WaveRecording recording;
    ASSERT_TRUE(recording.Load(wavePath)) << recording.GetError();
    const size_t tenth = (size_t)recording.GetSampleRate() / 10;
    ASSERT_GT(recording.GetSeconds(), 10.0);

    // Music under the shipyard (nothing else sounds while the battle is paused) and through
    // the battle: nearly every tenth of a second is audible.
    const size_t shipyardBegin = recording.FrameAtFileSize(shipyardOpened);
    const size_t shipyardEnd = recording.FrameAtFileSize(shipyardClosed);
    const size_t battleBegin = shipyardEnd;
    const size_t battleEnd = recording.FrameAtFileSize(battleEnded);
    for (const auto& stretch : {std::make_pair(shipyardBegin, shipyardEnd), std::make_pair(battleBegin, battleEnd)})
    {
        const std::vector<double> levels = recording.WindowRms(stretch.first, stretch.second, tenth);
        ASSERT_GE(levels.size(), 10u);
        const long audible = std::count_if(levels.begin(), levels.end(), [](double level) { return level > 0.005; });
        EXPECT_GE(audible * 10, (long)levels.size() * 8) << audible << " of " << levels.size() << " tenths audible";
        EXPECT_GT(Median(levels), 0.01);
    }

    // The music under the shipyard, after the cross-fade into it, is the battle track alone.
    // Enemy fire only adds to a window's level: the quietest of each effect's windows counts.
    // A salvo during which a shipyard opened, or whose splashes were not heard out, does not.
    const auto musicLevels = recording.WindowRms(shipyardBegin + 15 * tenth, shipyardEnd, 4 * tenth, tenth);
    ASSERT_GE(musicLevels.size(), 10u);
    const double music = Median(musicLevels);
    auto loudest = [&](size_t begin, size_t end) {
        const std::vector<double> levels = recording.WindowRms(begin, end, 4 * tenth, tenth);
        return levels.empty() ? 0.0 : *std::max_element(levels.begin(), levels.end());
    };
    std::vector<double> booms, volleys, miniCannons;
    for (size_t i = 0; i + 1 < salvos.size() && salvos[i].broadside >= 0; ++i)
    {
        const size_t fired = recording.FrameAtFileSize(salvos[i].broadside);
        if (salvos[i + 1].shipyards != salvos[i].shipyards ||
            fired + 19 * tenth > recording.FrameAtFileSize(salvos[i + 1].miniCannons))
            continue;
        miniCannons.push_back(loudest(recording.FrameAtFileSize(salvos[i].miniCannons), fired));
        booms.push_back(loudest(fired, fired + 13 * tenth));
        volleys.push_back(loudest(fired + 13 * tenth, fired + 19 * tenth));
    }
    ASSERT_FALSE(booms.empty()) << "no salvo was heard out";
    auto quietest = [](const std::vector<double>& levels) { return *std::min_element(levels.begin(), levels.end()); };
    // A broadside is the loudest effect and stands at least 6 dB over the music.
    const double boom = quietest(booms);
    EXPECT_GT(boom, quietest(volleys)) << "splash volley";
    EXPECT_GT(boom, quietest(miniCannons)) << "mini cannons";
    EXPECT_GE(20.0 * std::log10(boom / music), 6.0) << "broadside " << boom << ", music " << music;
}
