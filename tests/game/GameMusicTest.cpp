#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "game/core/GameConstants.h"
#include "game/core/SkarrowGameManager.h"
#include "game/sound/SoundManager.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

#include "support/ToneFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

    // The game's images, fonts and settings from the source tree, with playable sounds.
    void PrepareResources()
    {
        const std::string source = ZARVO_SOURCE_DIR;
        mkdir("Resources", 0755);
        ASSERT_EQ(0, symlink((source + "/Resources/Images").c_str(), "Resources/Images"));
        ASSERT_EQ(0, symlink((source + "/Resources/Fonts").c_str(), "Resources/Fonts"));
        ASSERT_EQ(0, symlink((source + "/Config").c_str(), "Config"));
        mkdir("Resources/Sounds", 0755);
        mkdir("Resources/Sounds/Music", 0755);
        mkdir("Resources/Sounds/Sfx", 0755);
        for (const char* name : {"Take a Chance", "Brittle Rille", "Call to Adventure", "Black Vortex"})
            WriteToneWav(std::string("Resources/Sounds/Music/") + name + ".mp3", 30.0);
        for (const char* name : {"explosion.mp3", "rumble.flac", "explosion_medium_various_debris_04.mp3",
                                 "water_splash_003.mp3"})
            WriteToneWav(std::string("Resources/Sounds/Sfx/") + name, 0.5);
    }

    class GameMusicTest : public WorldWindow
    {
    protected:
        void SetUp() override
        {
            setenv("ALSOFT_DRIVERS", "null", 0);
            PrepareResources();
            WorldWindow::SetUp();
            game = SkarrowGameManager::GetInstance();
            World::GetInstance()->SetGameManager(game);
        }

        int TracksPlaying() const
        {
            int playing = 0;
            for (const auto& group : game->GetSoundManager()->GetMusicGroups())
                for (const SoundTrack& track : group)
                    playing += track.IsPlaying() ? 1 : 0;
            return playing;
        }

        ScratchDirectory scratch;
        SkarrowGameManager* game = nullptr;
    };
}

TEST_F(GameMusicTest, TheCrossFadeIntoBattleFinishesWhileTheShipyardPausesTheGame)
{
    ASSERT_NE(nullptr, game->GetSoundManager());
    ASSERT_TRUE(game->GetSoundManager()->GetMusicGroups()[SoundManager::MM_Opening][0].IsPlaying());
    Message start(StartTechRaceMessage);
    game->ReceiveMessage(&start);
    ASSERT_EQ(GS_Shipyard, game->GetState());
    ASSERT_FALSE(World::GetInstance()->IsSimulationOn());
    EXPECT_EQ(SoundManager::MM_Battle, game->GetSoundManager()->GetMusicMode());
    EXPECT_EQ(2, TracksPlaying());

    // The World updates only the game manager while paused.
    game->Update(0.6f);
    game->Update(0.6f);
    EXPECT_EQ(1, TracksPlaying());
    EXPECT_FALSE(game->GetSoundManager()->GetMusicGroups()[SoundManager::MM_Opening][0].IsPlaying());
}
