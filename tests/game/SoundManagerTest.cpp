#include "engine/actors/Actor.h"
#include "engine/sound/SoundDevice.h"
#include "game/sound/SoundManager.h"
#include "game/sound/SoundSample.h"
#include "support/ScratchDirectory.h"

#include "support/ToneFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace
{

    void WriteGameSounds(bool withSplash = true)
    {
        mkdir("Resources", 0755);
        mkdir("Resources/Sounds", 0755);
        mkdir("Resources/Sounds/Music", 0755);
        mkdir("Resources/Sounds/Sfx", 0755);
        for (const char* name : {"Take a Chance", "Brittle Rille", "Call to Adventure", "Black Vortex"})
            WriteToneWav(std::string("Resources/Sounds/Music/") + name + ".mp3", 2.0);
        WriteToneWav("Resources/Sounds/Sfx/explosion.mp3", 0.5);
        WriteToneWav("Resources/Sounds/Sfx/rumble.flac", 0.5);
        WriteToneWav("Resources/Sounds/Sfx/explosion_medium_various_debris_04.mp3", 0.5);
        if (withSplash)
            WriteToneWav("Resources/Sounds/Sfx/water_splash_003.mp3", 0.5);
    }

    class SoundManagerTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            setenv("ALSOFT_DRIVERS", "null", 0);
            WriteGameSounds(WithSplash());
            manager = new SoundManager();
        }

        void TearDown() override
        {
            manager->Destroy();
            delete manager;
            SoundDevice::GetInstance()->Shutdown();
        }

        virtual bool WithSplash() const { return true; }

        const SoundTrack& Track(int group, int index) const { return manager->GetMusicGroups()[group][index]; }

        int PlayingTracks() const
        {
            int playing = 0;
            for (const auto& group : manager->GetMusicGroups())
                for (const SoundTrack& track : group)
                    playing += track.IsPlaying() ? 1 : 0;
            return playing;
        }

        const SoundTrack* PlayingTrackOf(int group) const
        {
            for (const SoundTrack& track : manager->GetMusicGroups()[group])
                if (track.IsPlaying())
                    return &track;
            return nullptr;
        }

        ScratchDirectory scratch;
        SoundManager* manager = nullptr;
    };

    class SoundManagerWithoutSplashTest : public SoundManagerTest
    {
    protected:
        bool WithSplash() const override { return false; }
    };
}

TEST_F(SoundManagerTest, StartsWithTheOpeningTrackAtItsVolume)
{
    EXPECT_EQ(SoundManager::MM_Opening, manager->GetMusicMode());
    EXPECT_EQ(SoundManager::MS_Playing, manager->GetMusicState());
    EXPECT_TRUE(Track(0, 0).IsPlaying());
    EXPECT_NE(nullptr, Track(0, 0).GetChannel());
    EXPECT_EQ(1, PlayingTracks());
    EXPECT_FLOAT_EQ(0.5f * 0.8f * 0.2f, Track(0, 0).GetEffectiveVolume());
}

TEST_F(SoundManagerTest, SameModeChangesNothing)
{
    manager->SetMusicMode(SoundManager::MM_Opening);
    EXPECT_EQ(SoundTrack::TF_None, Track(0, 0).GetFading());
    EXPECT_EQ(1, PlayingTracks());
}

TEST_F(SoundManagerTest, TheOpeningTrackLeadsToTheMenuTrack)
{
    manager->SoundEnded(Track(0, 0).GetChannel());
    EXPECT_EQ(SoundManager::MM_Menu, manager->GetMusicMode());
    EXPECT_TRUE(Track(0, 0).IsStopped());
    EXPECT_TRUE(Track(1, 0).IsPlaying());
    // Nothing was playing any more, so the menu track starts at once, without a fade.
    EXPECT_EQ(SoundTrack::TF_None, Track(1, 0).GetFading());

    // A one-track group repeats its track.
    manager->SoundEnded(Track(1, 0).GetChannel());
    EXPECT_TRUE(Track(1, 0).IsPlaying());
    EXPECT_EQ(1, PlayingTracks());
}

TEST_F(SoundManagerTest, BattleCrossFadesAndItsTracksAlternate)
{
    manager->SetMusicMode(SoundManager::MM_Battle);
    const SoundTrack* battle = PlayingTrackOf(2);
    ASSERT_NE(nullptr, battle);
    EXPECT_EQ(SoundTrack::TF_Out, Track(0, 0).GetFading());
    EXPECT_EQ(SoundTrack::TF_In, battle->GetFading());
    // The new track comes in from silence, not at full volume.
    EXPECT_FLOAT_EQ(0.0f, battle->GetEffectiveVolume());

    manager->UpdateMusic(0.5f);
    EXPECT_NEAR(0.5f * 0.5f * 0.8f * battle->GetSample()->GetVolume(), battle->GetEffectiveVolume(), 1e-4f);
    EXPECT_NEAR(0.5f * 0.5f * 0.8f * 0.2f, Track(0, 0).GetEffectiveVolume(), 1e-4f);

    manager->UpdateMusic(0.6f);
    EXPECT_TRUE(Track(0, 0).IsStopped());
    EXPECT_EQ(nullptr, Track(0, 0).GetChannel());
    EXPECT_EQ(SoundTrack::TF_None, battle->GetFading());
    EXPECT_FLOAT_EQ(0.5f * 0.8f * battle->GetSample()->GetVolume(), battle->GetEffectiveVolume());

    const SoundSample* first = battle->GetSample();
    manager->SoundEnded(battle->GetChannel());
    ASSERT_NE(nullptr, PlayingTrackOf(2));
    EXPECT_NE(first, PlayingTrackOf(2)->GetSample());
    manager->SoundEnded(PlayingTrackOf(2)->GetChannel());
    EXPECT_EQ(first, PlayingTrackOf(2)->GetSample());
    EXPECT_EQ(1, PlayingTracks());
}

TEST_F(SoundManagerTest, AnEndedFadeOutIgnoresItsLateEndNotice)
{
    const ZarvoSoundHandle opening = Track(0, 0).GetChannel();
    manager->SetMusicMode(SoundManager::MM_Menu);
    manager->UpdateMusic(1.5f);
    EXPECT_TRUE(Track(0, 0).IsStopped());
    manager->SoundEnded(opening);
    EXPECT_EQ(SoundManager::MM_Menu, manager->GetMusicMode());
    EXPECT_EQ(1, PlayingTracks());
}

TEST_F(SoundManagerTest, AModeWithoutMusicFadesToSilence)
{
    manager->SetMusicMode(7);
    EXPECT_EQ(7, manager->GetMusicMode());
    manager->UpdateMusic(1.5f);
    EXPECT_EQ(0, PlayingTracks());
}

TEST_F(SoundManagerTest, EffectCopiesRotateAndAFullRotationDrops)
{
    const auto& copies = manager->GetEffectSamples()[EK_Broadside];
    ASSERT_EQ(10u, copies.size());
    Actor source;
    SoundEffect* first = manager->PlayAndKeepEffect(EK_Broadside, &source, 1.0f);
    ASSERT_NE(nullptr, first);
    // The rotation moves before it plays, so the first effect sounds on the second copy.
    EXPECT_EQ(copies[1], first->GetSample());
    for (int i = 2; i <= 10; ++i)
        EXPECT_NE(nullptr, manager->PlayAndKeepEffect(EK_Broadside, &source, 1.0f)) << i;
    EXPECT_EQ(10u, manager->GetPlayingEffects().size());
    // Every copy is sounding: the eleventh is dropped; other kinds still play.
    EXPECT_EQ(nullptr, manager->PlayAndKeepEffect(EK_Broadside, &source, 1.0f));
    EXPECT_NE(nullptr, manager->PlayAndKeepEffect(EK_Hit, &source, 1.0f));

    // Once the first copy's sound ends, it is finished, then deleted at the next update.
    manager->SoundEnded(first->GetChannel());
    EXPECT_EQ(1u, manager->GetFinishedEffects().size());
    manager->Update(0.016f);
    EXPECT_TRUE(manager->GetFinishedEffects().empty());
    EXPECT_EQ(10u, manager->GetPlayingEffects().size());
}

TEST_F(SoundManagerWithoutSplashTest, AnEffectThatCannotStartIsNotKept)
{
    Actor source;
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(nullptr, manager->PlayAndKeepEffect(EK_Splash, &source, 1.0f));
    EXPECT_TRUE(manager->GetPlayingEffects().empty());
    EXPECT_NE(nullptr, manager->PlayAndKeepEffect(EK_Hit, &source, 1.0f));
}

TEST_F(SoundManagerTest, TeardownStopsTheMusicAndForgetsTheCallback)
{
    manager->Destroy();
    EXPECT_EQ(SoundManager::MS_Stopped, manager->GetMusicState());
    EXPECT_TRUE(manager->GetMusicGroups().empty());
}

TEST(SoundEffectPosition, PanFollowsTheSourceAcrossTheView)
{
    EXPECT_FLOAT_EQ(-1.0f, SoundEffect::PanFor(10.0f, 10.0f, 50.0f));
    EXPECT_FLOAT_EQ(-1.0f, SoundEffect::PanFor(-5.0f, 10.0f, 50.0f));
    EXPECT_FLOAT_EQ(0.0f, SoundEffect::PanFor(30.0f, 10.0f, 50.0f));
    EXPECT_FLOAT_EQ(0.5f, SoundEffect::PanFor(40.0f, 10.0f, 50.0f));
    EXPECT_FLOAT_EQ(1.0f, SoundEffect::PanFor(80.0f, 10.0f, 50.0f));
}

TEST(SoundEffectPosition, VolumeHalvesOneViewDiagonalAway)
{
    EXPECT_FLOAT_EQ(1.0f, SoundEffect::DistanceFactor(0.0f, 50.0f));
    EXPECT_FLOAT_EQ(0.875f, SoundEffect::DistanceFactor(25.0f, 50.0f));
    EXPECT_FLOAT_EQ(0.5f, SoundEffect::DistanceFactor(50.0f, 50.0f));
}
