#include "engine/platform/sound/ChannelControl.h"
#include "engine/platform/sound/Sound.h"
#include "engine/platform/sound/SoundSystem.h"
#include "sound/SoundTestEnvironment.h"
#include "sound/SoundTestFiles.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace SoundLib;
using SoundTestEnvironment::Now;
using SoundTestEnvironment::PumpUntil;

namespace
{
struct EndReport
{
    Channel* channel;
    double time;
};
std::vector<EndReport> g_ends;

Result RecordEnd(Channel* channel, ChannelCallbackType type)
{
    EXPECT_EQ(CHANNELCALLBACK_END, type);
    g_ends.push_back(EndReport{channel, Now()});
    return RESULT_OK;
}

class SoundLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        g_ends.clear();
        ASSERT_EQ(RESULT_OK, System::Create(&system));
    }

    void TearDown() override
    {
        if (system != nullptr)
        {
            system->Release();
        }
    }

    void Start(int channels = 32)
    {
        ASSERT_EQ(RESULT_OK, system->Init(channels, INITFLAGS_NORMAL));
    }

    Sound* Load(const std::string& name, double seconds, SoundMode mode = SOUNDMODE_SAMPLE,
                SoundTestFiles::Format format = SoundTestFiles::FORMAT_WAV)
    {
        EXPECT_TRUE(SoundTestFiles::WriteTone(name, format, seconds));
        Sound* sound = nullptr;
        EXPECT_EQ(RESULT_OK, system->CreateSound(name.c_str(), mode, &sound));
        return sound;
    }

    Channel* Play(Sound* sound, bool paused = false)
    {
        Channel* channel = nullptr;
        EXPECT_EQ(RESULT_OK, system->PlaySound(sound, paused, &channel));
        EXPECT_EQ(RESULT_OK, SetChannelCallback(channel, RecordEnd));
        return channel;
    }

    bool IsPlaying(Channel* channel)
    {
        bool playing = false;
        EXPECT_EQ(RESULT_OK, IsChannelPlaying(channel, &playing));
        return playing;
    }

    // Updates the system until count sounds have ended, at most for timeout seconds.
    bool WaitForEnds(size_t count, double timeout)
    {
        return PumpUntil([this] { system->Update(); }, [count] { return g_ends.size() >= count; }, timeout);
    }

    void UpdateFor(double seconds)
    {
        PumpUntil([this] { system->Update(); }, [] { return false; }, seconds);
    }

    ScratchDirectory scratch;
    System* system = nullptr;
};
}

TEST(SoundResults, EveryCodeHasItsOwnTextAndUnknownCodesSaySo)
{
    EXPECT_STREQ("No errors.", ResultString(RESULT_OK));
    EXPECT_STREQ("Unknown error.", ResultString(RESULT_COUNT));
    EXPECT_STREQ("Unknown error.", ResultString(-1));
    for (int code = 1; code < RESULT_COUNT; ++code)
    {
        EXPECT_STRNE(ResultString(code - 1), ResultString(code)) << code;
        EXPECT_STRNE("Unknown error.", ResultString(code)) << code;
    }
}

TEST_F(SoundLibraryTest, SetUpCallsCheckTheirOrderAndParameters)
{
    unsigned int version = 0;
    EXPECT_EQ(RESULT_OK, system->GetVersion(&version));
    EXPECT_EQ(kVersion, version);
    unsigned int caps = 99;
    SpeakerMode mode = SPEAKERMODE_MONO;
    EXPECT_EQ(RESULT_OK, system->GetDriverCaps(0, &caps, &mode));
    EXPECT_EQ(SPEAKERMODE_STEREO, mode);
    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, system->GetDriverCaps(1, &caps, &mode));
    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, system->SetDSPBufferSize(0, 10));

    EXPECT_EQ(RESULT_ERR_UNINITIALIZED, system->Update());
    Sound* sound = reinterpret_cast<Sound*>(1);
    EXPECT_EQ(RESULT_ERR_UNINITIALIZED, system->CreateSound("x.wav", SOUNDMODE_SAMPLE, &sound));
    EXPECT_EQ(nullptr, sound);

    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, system->Init(0, INITFLAGS_NORMAL));
    EXPECT_EQ(RESULT_OK, system->Init(1024, INITFLAGS_NORMAL));
    EXPECT_EQ(RESULT_ERR_INITIALIZED, system->Init(1024, INITFLAGS_NORMAL));
    EXPECT_EQ(RESULT_ERR_INITIALIZED, system->SetSpeakerMode(SPEAKERMODE_STEREO));
    EXPECT_EQ(RESULT_ERR_INITIALIZED, system->SetDSPBufferSize(1024, 10));
    OutputType output = OUTPUTTYPE_NOSOUND;
    EXPECT_EQ(RESULT_OK, system->GetOutputType(&output));
    EXPECT_EQ(OUTPUTTYPE_DEVICE, output);
    EXPECT_EQ(RESULT_OK, system->Update());
}

TEST_F(SoundLibraryTest, MissingAndBrokenFilesGiveNoSound)
{
    Start();
    SoundTestFiles::WriteGarbage("broken.mp3");
    for (SoundMode mode : {SOUNDMODE_SAMPLE, SOUNDMODE_STREAM})
    {
        Sound* sound = reinterpret_cast<Sound*>(1);
        EXPECT_EQ(RESULT_ERR_FILE_NOT_FOUND, system->CreateSound("missing.wav", mode, &sound));
        EXPECT_EQ(nullptr, sound);
        sound = reinterpret_cast<Sound*>(1);
        EXPECT_EQ(RESULT_ERR_FORMAT, system->CreateSound("broken.mp3", mode, &sound));
        EXPECT_EQ(nullptr, sound);
        EXPECT_EQ(RESULT_ERR_FILE_NOT_FOUND, system->CreateSound(".", mode, &sound));
    }
    Channel* channel = reinterpret_cast<Channel*>(1);
    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, system->PlaySound(nullptr, false, &channel));
    EXPECT_EQ(nullptr, channel);
}

TEST_F(SoundLibraryTest, SampleEndIsReportedOnceAfterAboutItsLength)
{
    Start();
    Sound* sound = Load("tone.wav", 0.3);
    ASSERT_NE(nullptr, sound);
    EXPECT_NEAR(0.3, sound->GetLengthSeconds(), 0.001);

    const double started = Now();
    Channel* channel = Play(sound);
    EXPECT_TRUE(IsPlaying(channel));
    ASSERT_TRUE(WaitForEnds(1, 10.0));
    const double heard = g_ends[0].time - started;
    // The silent test output mixes whatever it fell behind by in one go when the machine is
    // busy, so a sound can run out somewhat early in wall-clock time; never at once, though.
    EXPECT_GT(heard, 0.1);
    EXPECT_LT(heard, 3.0);
    EXPECT_EQ(channel, g_ends[0].channel);
    EXPECT_FALSE(IsPlaying(channel));

    UpdateFor(0.1);
    EXPECT_EQ(1u, g_ends.size());
}

TEST_F(SoundLibraryTest, StreamIsRefilledAndPlaysToItsEnd)
{
    // Small buffers, so the whole file can't be queued at once.
    ASSERT_EQ(RESULT_OK, system->SetDSPBufferSize(256, 4));
    Start();
    // Longer than the stream ever queues ahead, so refills must happen.
    Sound* sound = Load("music.flac", 3.0, SOUNDMODE_STREAM, SoundTestFiles::FORMAT_FLAC);
    ASSERT_NE(nullptr, sound);
    EXPECT_TRUE(sound->IsStream());

    const double started = Now();
    Channel* channel = Play(sound);
    UpdateFor(0.3);
    EXPECT_TRUE(IsPlaying(channel));
    EXPECT_TRUE(g_ends.empty());
    ASSERT_TRUE(WaitForEnds(1, 15.0));
    EXPECT_GT(g_ends[0].time - started, 2.5);
    EXPECT_EQ(channel, g_ends[0].channel);
}

TEST_F(SoundLibraryTest, OneStreamPlaysOnTwoChannelsAtOnce)
{
    Start();
    Sound* sound = Load("music.wav", 0.3, SOUNDMODE_STREAM);
    Channel* first = Play(sound);
    Channel* second = Play(sound);
    ASSERT_TRUE(WaitForEnds(2, 10.0));
    EXPECT_NE(g_ends[0].channel, g_ends[1].channel);
    EXPECT_TRUE((g_ends[0].channel == first && g_ends[1].channel == second) ||
                (g_ends[0].channel == second && g_ends[1].channel == first));
}

TEST_F(SoundLibraryTest, StoppedSoundIsNotReportedAsEnded)
{
    Start();
    Sound* sample = Load("tone.wav", 0.2);
    Sound* stream = Load("music.wav", 0.2, SOUNDMODE_STREAM);
    Channel* sampleChannel = Play(sample);
    Channel* streamChannel = Play(stream);
    UpdateFor(0.05);
    EXPECT_EQ(RESULT_OK, StopChannel(sampleChannel));
    EXPECT_EQ(RESULT_OK, StopChannel(streamChannel));
    EXPECT_FALSE(IsPlaying(sampleChannel));
    EXPECT_FALSE(IsPlaying(streamChannel));
    UpdateFor(0.4);
    EXPECT_TRUE(g_ends.empty());
    // The handle of a stopped sound stays harmless.
    EXPECT_EQ(RESULT_OK, StopChannel(sampleChannel));
    EXPECT_EQ(RESULT_OK, SetChannelVolume(sampleChannel, 0.5f));
}

TEST_F(SoundLibraryTest, PausedSoundWaitsAndThenPlaysItsRest)
{
    Start();
    for (SoundMode mode : {SOUNDMODE_SAMPLE, SOUNDMODE_STREAM})
    {
        g_ends.clear();
        Sound* sound = Load(mode == SOUNDMODE_SAMPLE ? "tone.wav" : "music.wav", 0.5, mode);
        Channel* channel = Play(sound, true);
        bool paused = false;
        EXPECT_EQ(RESULT_OK, GetChannelPaused(channel, &paused));
        EXPECT_TRUE(paused);
        EXPECT_TRUE(IsPlaying(channel));
        UpdateFor(0.4);
        EXPECT_TRUE(g_ends.empty()) << mode;

        EXPECT_EQ(RESULT_OK, SetChannelPaused(channel, false));
        UpdateFor(0.1);
        EXPECT_EQ(RESULT_OK, SetChannelPaused(channel, true));
        UpdateFor(0.3);
        EXPECT_TRUE(g_ends.empty()) << mode;

        const double resumed = Now();
        EXPECT_EQ(RESULT_OK, SetChannelPaused(channel, false));
        ASSERT_TRUE(WaitForEnds(1, 10.0)) << mode;
        EXPECT_LT(g_ends[0].time - resumed, 3.0);
        EXPECT_EQ(RESULT_OK, GetChannelPaused(channel, &paused));
        EXPECT_FALSE(paused);
    }
}

TEST_F(SoundLibraryTest, LoopingSoundEndsOnlyAfterLoopingIsTurnedOff)
{
    Start();
    Sound* sample = Load("tone.wav", 0.1);
    Sound* stream = Load("music.wav", 0.1, SOUNDMODE_STREAM);
    Channel* sampleChannel = Play(sample, true);
    Channel* streamChannel = Play(stream, true);
    for (Channel* channel : {sampleChannel, streamChannel})
    {
        EXPECT_EQ(RESULT_OK, SetChannelLoopMode(channel, LOOPMODE_NORMAL));
        EXPECT_EQ(RESULT_OK, SetChannelPaused(channel, false));
    }
    UpdateFor(0.5);
    EXPECT_TRUE(g_ends.empty());
    EXPECT_TRUE(IsPlaying(sampleChannel));
    EXPECT_TRUE(IsPlaying(streamChannel));

    for (Channel* channel : {sampleChannel, streamChannel})
    {
        EXPECT_EQ(RESULT_OK, SetChannelLoopMode(channel, LOOPMODE_OFF));
    }
    ASSERT_TRUE(WaitForEnds(2, 10.0));
}

TEST_F(SoundLibraryTest, VolumeAndPanAcceptTheirRangesAndClampBeyond)
{
    Start();
    Channel* channel = Play(Load("tone.wav", 0.2));
    for (float value : {-2.0f, -1.0f, -0.3f, 0.0f, 0.5f, 1.0f, 3.0f})
    {
        EXPECT_EQ(RESULT_OK, SetChannelVolume(channel, value));
        EXPECT_EQ(RESULT_OK, SetChannelPan(channel, value));
    }
    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, SetChannelVolume(channel, std::nanf("")));
    EXPECT_EQ(RESULT_ERR_INVALID_PARAM, SetChannelPan(channel, std::nanf("")));
    EXPECT_TRUE(IsPlaying(channel));
}

TEST_F(SoundLibraryTest, StaleHandleGetsAnErrorAndLeavesTheNewSoundAlone)
{
    Start(2);
    Sound* sound = Load("tone.wav", 0.5);
    Channel* old = Play(sound);
    Channel* other = Play(sound);
    ASSERT_EQ(RESULT_OK, StopChannel(old));
    // Two channels only: the next sound gets the old one's slot.
    Channel* fresh = Play(sound);
    ASSERT_NE(nullptr, fresh);
    EXPECT_NE(old, fresh);

    bool playing = true;
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, StopChannel(old));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, SetChannelPaused(old, true));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, SetChannelVolume(old, 0.0f));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, SetChannelPan(old, 1.0f));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, SetChannelLoopMode(old, LOOPMODE_NORMAL));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, SetChannelCallback(old, nullptr));
    EXPECT_EQ(RESULT_ERR_CHANNEL_STOLEN, IsChannelPlaying(old, &playing));
    EXPECT_FALSE(playing);

    bool paused = true;
    EXPECT_EQ(RESULT_OK, GetChannelPaused(fresh, &paused));
    EXPECT_FALSE(paused);
    EXPECT_TRUE(IsPlaying(fresh));
    // Both run out; the fresh sound kept its callback and loop mode.
    ASSERT_TRUE(WaitForEnds(2, 10.0));
    EXPECT_TRUE(g_ends[0].channel == other || g_ends[1].channel == other);
    EXPECT_TRUE(g_ends[0].channel == fresh || g_ends[1].channel == fresh);

    // No channel left when every one is busy.
    Play(sound, true);
    Play(sound, true);
    Channel* none = reinterpret_cast<Channel*>(1);
    EXPECT_EQ(RESULT_ERR_CHANNEL_ALLOC, system->PlaySound(sound, false, &none));
    EXPECT_EQ(nullptr, none);
}

TEST_F(SoundLibraryTest, HandlesOfReleasedSystemsAndSoundsAreInvalid)
{
    Start();
    Sound* sound = Load("tone.wav", 0.5);
    Channel* channel = Play(sound);
    EXPECT_EQ(RESULT_ERR_INVALID_HANDLE, StopChannel(nullptr));

    // Releasing a sound silences its channels without reporting an end.
    EXPECT_EQ(RESULT_OK, sound->Release());
    EXPECT_FALSE(IsPlaying(channel));
    Channel* none = nullptr;
    EXPECT_EQ(RESULT_ERR_INVALID_HANDLE, system->PlaySound(sound, false, &none));

    Channel* later = Play(Load("tone2.wav", 0.5));
    ASSERT_EQ(RESULT_OK, system->Release());
    system = nullptr;
    bool playing = true;
    EXPECT_EQ(RESULT_ERR_INVALID_HANDLE, IsChannelPlaying(later, &playing));
    EXPECT_FALSE(playing);
    EXPECT_EQ(RESULT_ERR_INVALID_HANDLE, StopChannel(later));
    EXPECT_TRUE(g_ends.empty());
}

TEST_F(SoundLibraryTest, CallbackMayStartTheNextSoundInsideUpdate)
{
    Start();
    static System* s_system;
    static Sound* s_next;
    s_system = system;
    s_next = Load("next.wav", 0.1);
    Sound* first = Load("first.wav", 0.1);
    Channel* channel = nullptr;
    ASSERT_EQ(RESULT_OK, system->PlaySound(first, false, &channel));
    SetChannelCallback(channel, [](Channel* ended, ChannelCallbackType type) {
        RecordEnd(ended, type);
        Channel* followUp = nullptr;
        EXPECT_EQ(RESULT_OK, s_system->PlaySound(s_next, false, &followUp));
        SetChannelCallback(followUp, RecordEnd);
        return RESULT_OK;
    });
    ASSERT_TRUE(WaitForEnds(2, 10.0));
    EXPECT_EQ(channel, g_ends[0].channel);
    EXPECT_NE(channel, g_ends[1].channel);
}
