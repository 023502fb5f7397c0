#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "game/GameConstants.h"
#include "game/SkarrowGameManager.h"
#include "game/SoundManager.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

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
    // A mono tone as 16-bit PCM; the decoder reads the header, not the file name.
    void WriteTone(const std::string& path, double seconds)
    {
        const int rate = 22050;
        const uint32_t frames = static_cast<uint32_t>(seconds * rate);
        std::ofstream file(path, std::ios::binary);
        auto put32 = [&](uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
        auto put16 = [&](uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
        file << "RIFF";
        put32(36 + frames * 2);
        file << "WAVEfmt ";
        put32(16);
        put16(1);
        put16(1);
        put32(rate);
        put32(rate * 2);
        put16(2);
        put16(16);
        file << "data";
        put32(frames * 2);
        for (uint32_t i = 0; i < frames; ++i)
            put16(static_cast<uint16_t>(static_cast<int16_t>(8000.0 * std::sin(i * 0.06))));
    }

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
            WriteTone(std::string("Resources/Sounds/Music/") + name + ".mp3", 30.0);
        for (const char* name : {"explosion.mp3", "rumble.flac", "explosion_medium_various_debris_04.mp3",
                                 "water_splash_003.mp3"})
            WriteTone(std::string("Resources/Sounds/Sfx/") + name, 0.5);
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
