#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/sound/SoundDevice.h"
#include "sound/SoundTestEnvironment.h"
#include "sound/SoundTestFiles.h"
#include "support/CapturingLog.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using SoundTestEnvironment::Now;
using SoundTestEnvironment::PumpUntil;

namespace
{
class EndRecorder : public GameManager
{
public:
    void ReceiveMessage(Message*) override {}
    void SoundEnded(ZarvoSoundHandle sound) override
    {
        ended.push_back(sound);
        times.push_back(Now());
    }
    std::vector<ZarvoSoundHandle> ended;
    std::vector<double> times;
};

// Added to the system log once for the whole program: the log can't let go of members.
CapturingLog& Captured()
{
    static CapturingLog* log = nullptr;
    if (log == nullptr)
    {
        log = new CapturingLog();
        CompoundLog::GetSystemLog().AddLog(log);
    }
    return *log;
}

int CountLines(const std::string& text)
{
    const std::vector<String>& lines = Captured().Lines;
    return (int)std::count(lines.begin(), lines.end(), text);
}

int CountLinesStartingWith(const std::string& prefix)
{
    const std::vector<String>& lines = Captured().Lines;
    return (int)std::count_if(lines.begin(), lines.end(),
                              [&prefix](const String& line) { return line.compare(0, prefix.size(), prefix) == 0; });
}

class SoundDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        device = SoundDevice::GetInstance();
        Captured().Lines.clear();
    }

    void TearDown() override
    {
        if (SoundDevice::HasInstance())
        {
            SoundDevice::GetInstance()->Shutdown();
        }
    }

    ZarvoSampleHandle Load(const std::string& name, double seconds, bool isStream = false,
                           SoundTestFiles::Format format = SoundTestFiles::FORMAT_WAV)
    {
        EXPECT_TRUE(SoundTestFiles::WriteTone(name, format, seconds));
        ZarvoSampleHandle sample = device->LoadSample(name, isStream);
        EXPECT_NE(nullptr, sample);
        return sample;
    }

    void UpdateFor(double seconds)
    {
        PumpUntil([this] { device->Update(); }, [] { return false; }, seconds);
    }

    bool WaitForEnds(const EndRecorder& recorder, size_t count, double timeout)
    {
        return PumpUntil([this] { device->Update(); }, [&] { return recorder.ended.size() >= count; }, timeout);
    }

    ScratchDirectory scratch;
    SoundDevice* device = nullptr;
};
}

TEST_F(SoundDeviceTest, StartsOnceWithoutComplaint)
{
    EXPECT_TRUE(SoundDevice::HasInstance());
    EXPECT_EQ(device, SoundDevice::GetInstance());
    device->Initialize();
    EXPECT_EQ(1, CountLines("ERROR: Sound system already initialized."));
    EXPECT_EQ(1u, Captured().Lines.size());
}

TEST_F(SoundDeviceTest, EndOfASampleAndOfAStreamReachesTheGameManagerOnce)
{
    EndRecorder recorder;
    device->SetSoundCallback(&recorder, &GameManager::SoundEnded);
    ZarvoSampleHandle sample = Load("effect.wav", 0.3);
    // Music comes as MP3.
    ZarvoSampleHandle stream = Load("music.mp3", 0.6, true, SoundTestFiles::FORMAT_MP3);

    const double started = Now();
    ZarvoSoundHandle effect = device->PlaySound(sample);
    ZarvoSoundHandle music = device->PlaySound(stream, 0.8f);
    EXPECT_TRUE(device->IsPlaying(effect));
    EXPECT_TRUE(device->IsPlaying(music));
    ASSERT_TRUE(WaitForEnds(recorder, 2, 10.0));
    EXPECT_EQ(effect, recorder.ended[0]);
    EXPECT_EQ(music, recorder.ended[1]);
    EXPECT_GT(recorder.times[0] - started, 0.25);
    EXPECT_GT(recorder.times[1] - started, 0.5);
    EXPECT_LT(recorder.times[1] - started, 4.0);
    EXPECT_FALSE(device->IsPlaying(effect));

    UpdateFor(0.1);
    EXPECT_EQ(2u, recorder.ended.size());
    EXPECT_TRUE(Captured().Lines.empty());
    device->SetSoundCallback(nullptr, nullptr);
}

TEST_F(SoundDeviceTest, WithoutACallbackAnEndCallsAndPrintsNothing)
{
    EndRecorder recorder;
    device->SetSoundCallback(&recorder, &GameManager::SoundEnded);
    device->SetSoundCallback(nullptr, nullptr);
    ZarvoSampleHandle sample = Load("effect.wav", 0.1);
    ZarvoSoundHandle sound = device->PlaySound(sample);

    ::testing::internal::CaptureStdout();
    PumpUntil([this] { device->Update(); }, [&] { return !device->IsPlaying(sound); }, 3.0);
    UpdateFor(0.05);
    EXPECT_EQ("", ::testing::internal::GetCapturedStdout());
    EXPECT_TRUE(recorder.ended.empty());
    EXPECT_FALSE(device->IsPlaying(sound));
}

TEST_F(SoundDeviceTest, NullSampleIsRefusedAndFlagsOnlyWarn)
{
    EXPECT_EQ(nullptr, device->PlaySound(nullptr));
    EXPECT_EQ(1, CountLines("ERROR: Invalid ZarvoSampleHandle."));

    ZarvoSampleHandle sample = Load("loop.wav", 0.1);
    ZarvoSoundHandle sound = device->PlaySound(sample, 0.5f, true, 7);
    EXPECT_EQ(1, CountLines("WARNING: PlaySound doesn't use the passed in flags yet."));
    EXPECT_EQ(2u, Captured().Lines.size());
    // Looping: still going after several times its length.
    UpdateFor(0.4);
    EXPECT_TRUE(device->IsPlaying(sound));
    EXPECT_FALSE(device->IsPaused(sound));
}

TEST_F(SoundDeviceTest, FailedLoadsAreLoggedAndLeaveNothingForShutdown)
{
    SoundTestFiles::WriteGarbage("broken.flac");
    EXPECT_EQ(nullptr, device->LoadSample("missing.mp3", false));
    EXPECT_EQ(nullptr, device->LoadSample("broken.flac", true));
    EXPECT_EQ(2, CountLinesStartingWith("FMOD error! ("));
    EXPECT_EQ(1, CountLines("ERROR: Couldn't load the sound file \"missing.mp3\"."));
    EXPECT_EQ(1, CountLines("ERROR: Couldn't load the sound file \"broken.flac\"."));

    ZarvoSampleHandle freed = Load("good.wav", 0.1);
    device->Shutdown();
    EXPECT_FALSE(SoundDevice::HasInstance());
    // A sample the shut-down device freed is refused by the next device, not read.
    device = SoundDevice::GetInstance();
    EXPECT_EQ(nullptr, device->PlaySound(freed));
    EXPECT_EQ(1, CountLines("ERROR: Invalid ZarvoSampleHandle."));
}

TEST_F(SoundDeviceTest, PauseHoldsASoundBackAndStopEndsItUnreported)
{
    EndRecorder recorder;
    device->SetSoundCallback(&recorder, &GameManager::SoundEnded);
    ZarvoSampleHandle sample = Load("effect.wav", 0.2);
    ZarvoSoundHandle paused = device->PlaySound(sample);
    ZarvoSoundHandle stopped = device->PlaySound(sample);

    device->PauseSound(paused, true);
    device->SetVolume(paused, 0.25f);
    device->SetPan(paused, -1.0f);
    EXPECT_TRUE(device->IsPaused(paused));
    EXPECT_TRUE(device->IsPlaying(paused));
    device->StopSound(stopped);
    EXPECT_FALSE(device->IsPlaying(stopped));
    EXPECT_FALSE(device->IsPaused(stopped));
    UpdateFor(0.5);
    EXPECT_TRUE(recorder.ended.empty());

    device->PauseSound(paused, false);
    EXPECT_FALSE(device->IsPaused(paused));
    ASSERT_TRUE(WaitForEnds(recorder, 1, 10.0));
    EXPECT_EQ(paused, recorder.ended[0]);
    UpdateFor(0.05);
    EXPECT_EQ(1u, recorder.ended.size());
    // Stopping a sound that already ended is harmless.
    device->StopSound(paused);
    EXPECT_TRUE(Captured().Lines.empty());
    device->SetSoundCallback(nullptr, nullptr);
}

TEST_F(SoundDeviceTest, StaleHandleIsLoggedAndTouchesNoOtherSound)
{
    ZarvoSampleHandle sample = Load("effect.wav", 0.5);
    ZarvoSoundHandle old = device->PlaySound(sample);
    device->StopSound(old);
    // Every channel once more, so the old one's is given to another sound.
    ZarvoSoundHandle latest = nullptr;
    for (int i = 0; i < 1024; ++i)
    {
        latest = device->PlaySound(sample);
        device->StopSound(latest);
    }
    ZarvoSoundHandle current = device->PlaySound(sample);
    ASSERT_TRUE(Captured().Lines.empty());

    EXPECT_FALSE(device->IsPlaying(old));
    EXPECT_FALSE(device->IsPaused(old));
    device->StopSound(old);
    device->PauseSound(old, true);
    device->SetVolume(old, 0.0f);
    EXPECT_EQ(5, CountLinesStartingWith("FMOD error! ("));
    EXPECT_TRUE(device->IsPlaying(current));
    EXPECT_FALSE(device->IsPaused(current));

    Captured().Lines.clear();
    EXPECT_FALSE(device->IsPlaying(nullptr));
    EXPECT_EQ(1, CountLinesStartingWith("FMOD error! ("));
}

TEST_F(SoundDeviceTest, WorldTickReportsEndsAndDestroyShutsTheDeviceDown)
{
    World& world = *World::GetInstance();
    EndRecorder* manager = new EndRecorder();
    world.SetGameManager(manager);
    device->SetSoundCallback(manager, &GameManager::SoundEnded);
    ZarvoSoundHandle sound = device->PlaySound(Load("effect.wav", 0.1));

    ASSERT_TRUE(PumpUntil([&world] { world.Tick(true); }, [manager] { return !manager->ended.empty(); }, 10.0));
    EXPECT_EQ(sound, manager->ended[0]);

    world.Destroy();
    EXPECT_FALSE(SoundDevice::HasInstance());
}
