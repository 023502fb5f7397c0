#include "engine/log/CompoundLog.h"
#include "engine/sound/SoundDevice.h"
#include "sound/SoundTestEnvironment.h"
#include "sound/SoundTestFiles.h"
#include "support/CapturingLog.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using SoundTestEnvironment::IsChildProcess;
using SoundTestEnvironment::PumpUntil;
using SoundTestEnvironment::RunInChildProcess;

namespace
{
const double kToneSeconds = 0.4;
const double kToneFrequency = 440.0;
const char* const kFinishedMarker = "child-finished";

struct Setting
{
    float volume;
    float pan;
    bool stereo;
};
// Played one after another, with silence between them.
const Setting kSettings[] = {{1.0f, 0.0f, false}, {0.5f, 0.0f, false}, {1.0f, -1.0f, false},
                             {1.0f, 1.0f, false}, {1.0f, -1.0f, true}, {1.0f, 1.0f, true}};
const int kSettingCount = sizeof(kSettings) / sizeof(kSettings[0]);

void MarkFinished() { std::ofstream(kFinishedMarker) << "ok"; }

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// One stretch of sound in a recording, between silences.
struct Burst
{
    size_t firstFrame;
    size_t endFrame;
};

std::vector<Burst> FindBursts(const SoundTestFiles::Recording& recording)
{
    const size_t window = recording.SampleRate / 100;
    const size_t frames = recording.Samples.size() / recording.Channels;
    std::vector<Burst> bursts;
    size_t quietWindows = 0;
    for (size_t start = 0; start + window <= frames; start += window)
    {
        float peak = 0.0f;
        for (size_t i = start * recording.Channels; i < (start + window) * recording.Channels; ++i)
        {
            peak = std::max(peak, std::fabs(recording.Samples[i]));
        }
        if (peak < 0.01f)
        {
            ++quietWindows;
            continue;
        }
        // Gaps shorter than 50 ms belong to the same burst.
        if (bursts.empty() || quietWindows > 5)
        {
            bursts.push_back(Burst{start, start + window});
        }
        bursts.back().endFrame = start + window;
        quietWindows = 0;
    }
    return bursts;
}

double ChannelRms(const SoundTestFiles::Recording& recording, const Burst& burst, int channel)
{
    double sum = 0.0;
    for (size_t frame = burst.firstFrame; frame < burst.endFrame; ++frame)
    {
        const double value = recording.Samples[frame * recording.Channels + channel];
        sum += value * value;
    }
    return std::sqrt(sum / (double)(burst.endFrame - burst.firstFrame));
}

// Counts upward zero crossings of all channels mixed together.
double Pitch(const SoundTestFiles::Recording& recording, const Burst& burst)
{
    int crossings = 0;
    double previous = 0.0;
    for (size_t frame = burst.firstFrame; frame < burst.endFrame; ++frame)
    {
        double value = 0.0;
        for (int channel = 0; channel < recording.Channels; ++channel)
        {
            value += recording.Samples[frame * recording.Channels + channel];
        }
        if (previous < 0.0 && value >= 0.0)
        {
            ++crossings;
        }
        previous = value;
    }
    return crossings * (double)recording.SampleRate / (double)(burst.endFrame - burst.firstFrame);
}

// The inner part of a burst, away from its fade in and out.
Burst Middle(const Burst& burst)
{
    const size_t length = burst.endFrame - burst.firstFrame;
    return Burst{burst.firstFrame + length / 5, burst.endFrame - length / 5};
}
}

// Run in its own process by the test below: plays the tone once per setting.
TEST(SoundOutputChild, PlaysTheToneOncePerSetting)
{
    if (!IsChildProcess())
    {
        GTEST_SKIP() << "runs only in the child process of the output tests";
    }
    CapturingLog* log = new CapturingLog();
    CompoundLog::GetSystemLog().AddLog(log);
    ASSERT_TRUE(SoundTestFiles::WriteTone("tone.wav", SoundTestFiles::FORMAT_WAV, kToneSeconds, kToneFrequency));
    ASSERT_TRUE(
        SoundTestFiles::WriteTone("stereo.wav", SoundTestFiles::FORMAT_WAV, kToneSeconds, kToneFrequency, 2));
    SoundDevice* device = SoundDevice::GetInstance();
    ZarvoSampleHandle mono = device->LoadSample("tone.wav", false);
    ZarvoSampleHandle stereo = device->LoadSample("stereo.wav", false);
    ASSERT_NE(nullptr, mono);
    ASSERT_NE(nullptr, stereo);
    for (int i = 0; i < kSettingCount; ++i)
    {
        ZarvoSoundHandle sound = device->PlaySound(kSettings[i].stereo ? stereo : mono, kSettings[i].volume);
        device->SetPan(sound, kSettings[i].pan);
        ASSERT_TRUE(PumpUntil([device] { device->Update(); }, [&] { return !device->IsPlaying(sound); }, 5.0));
        PumpUntil([device] { device->Update(); }, [] { return false; }, 0.25);
    }
    device->Shutdown();
    EXPECT_TRUE(log->Lines.empty()) << log->Lines[0];
    MarkFinished();
}

TEST(SoundOutput, PlayedTonesReachTheOutputAtTheirPitchLevelAndSide)
{
    ScratchDirectory scratch;
    std::ofstream("wave.conf") << "[general]\ndrivers = wave\n[wave]\nfile = " << scratch.Path() << "/out.wav\n";
    ScopedEnvironment environment;
    environment.Set("ALSOFT_CONF", scratch.Path() + "/wave.conf");
    environment.Unset("ALSOFT_DRIVERS");
    ASSERT_TRUE(RunInChildProcess("SoundOutputChild.PlaysTheToneOncePerSetting", scratch.Path()));
    ASSERT_TRUE(Exists(kFinishedMarker));

    SoundTestFiles::Recording recording;
    ASSERT_TRUE(SoundTestFiles::Read("out.wav", recording));
    ASSERT_EQ(2, recording.Channels);
    const std::vector<Burst> bursts = FindBursts(recording);
    ASSERT_EQ((size_t)kSettingCount, bursts.size());

    double left[kSettingCount];
    double right[kSettingCount];
    for (int i = 0; i < kSettingCount; ++i)
    {
        const double seconds = (bursts[i].endFrame - bursts[i].firstFrame) / (double)recording.SampleRate;
        EXPECT_NEAR(kToneSeconds, seconds, 0.1) << i;
        const Burst middle = Middle(bursts[i]);
        EXPECT_NEAR(kToneFrequency, Pitch(recording, middle), kToneFrequency * 0.03) << i;
        left[i] = ChannelRms(recording, middle, 0);
        right[i] = ChannelRms(recording, middle, 1);
    }
    // Centred at full volume: clearly heard, alike on both sides.
    EXPECT_GT(left[0], 0.1);
    EXPECT_NEAR(1.0, left[0] / right[0], 0.1);
    // Half volume: half the level.
    EXPECT_NEAR(0.5, left[1] / left[0], 0.1);
    EXPECT_NEAR(0.5, right[1] / right[0], 0.1);
    // Panned hard to one side: that side carries nearly everything.
    EXPECT_GT(left[2], 4.0 * right[2]);
    EXPECT_GT(right[3], 4.0 * left[3]);
    // A stereo sound swings to the side as a whole.
    EXPECT_GT(left[4], 4.0 * right[4]);
    EXPECT_GT(right[5], 4.0 * left[5]);
}

// Run in its own process by the test below, with no audio driver that can open.
TEST(SoundOutputChild, EndsAreReportedWithoutADevice)
{
    if (!IsChildProcess())
    {
        GTEST_SKIP() << "runs only in the child process of the output tests";
    }
    CapturingLog* log = new CapturingLog();
    CompoundLog::GetSystemLog().AddLog(log);
    ASSERT_TRUE(SoundTestFiles::WriteTone("tone.wav", SoundTestFiles::FORMAT_WAV, 0.3));
    ASSERT_TRUE(SoundTestFiles::WriteTone("music.flac", SoundTestFiles::FORMAT_FLAC, 1.0));
    SoundDevice* device = SoundDevice::GetInstance();
    ASSERT_EQ(1u, log->Lines.size());
    EXPECT_EQ(0u, log->Lines[0].find("WARNING: "));

    ZarvoSampleHandle tone = device->LoadSample("tone.wav", false);
    ZarvoSampleHandle stream = device->LoadSample("music.flac", true);
    const double started = SoundTestEnvironment::Now();
    ZarvoSoundHandle effect = device->PlaySound(tone);
    ZarvoSoundHandle music = device->PlaySound(stream);
    ZarvoSoundHandle paused = device->PlaySound(tone);
    device->PauseSound(paused, true);
    ASSERT_TRUE(PumpUntil([device] { device->Update(); }, [&] { return !device->IsPlaying(effect); }, 10.0));
    EXPECT_GT(SoundTestEnvironment::Now() - started, 0.25);
    EXPECT_TRUE(device->IsPlaying(music));
    ASSERT_TRUE(PumpUntil([device] { device->Update(); }, [&] { return !device->IsPlaying(music); }, 10.0));
    EXPECT_GT(SoundTestEnvironment::Now() - started, 0.9);
    EXPECT_TRUE(device->IsPaused(paused));
    device->Shutdown();
    EXPECT_EQ(1u, log->Lines.size());
    MarkFinished();
}

TEST(SoundOutput, WithoutADeviceSoundsEndSilentlyOnTime)
{
    ScratchDirectory scratch;
    ScopedEnvironment environment;
    environment.Set("ALSOFT_DRIVERS", "no-such-driver");
    environment.Unset("ALSOFT_CONF");
    ASSERT_TRUE(RunInChildProcess("SoundOutputChild.EndsAreReportedWithoutADevice", scratch.Path()));
    EXPECT_TRUE(Exists(kFinishedMarker));
}
