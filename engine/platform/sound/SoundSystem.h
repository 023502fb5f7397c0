#pragma once

#include "engine/platform/sound/AudioOutput.h"
#include "engine/platform/sound/DecodedFile.h"
#include "engine/platform/sound/SoundTypes.h"

#include <string>
#include <vector>

namespace SoundLib
{
class Voice;

// The sound library's root: the audio output, the channels and every loaded sound.
// Everything runs on the calling thread; channel callbacks run inside Update.
class System
{
public:
    static Result Create(System** system);

    Result GetVersion(unsigned int* version);
    // Driver 0 is the default output; others are RESULT_ERR_INVALID_PARAM. Null outputs are skipped.
    Result GetDriverCaps(int driver, unsigned int* caps, SpeakerMode* speakerMode);
    // The next two only before Init.
    Result SetSpeakerMode(SpeakerMode speakerMode);
    // bufferLength frames per buffer and bufferCount buffers are queued ahead for each stream.
    Result SetDSPBufferSize(unsigned int bufferLength, int bufferCount);
    // Opens the output with maxChannels channels (1 .. 4096). Without any audio device the
    // system runs silently and says so through GetOutputType. RESULT_ERR_OUTPUT_CREATEBUFFER
    // when the device opened but would not mix; the system then stays uninitialised.
    Result Init(int maxChannels, InitFlags flags);
    Result GetOutputType(OutputType* output);
    // Refills streams, finds the sounds that played to their end and calls their channel callbacks.
    Result Update();
    // Stops every channel, releases every sound still loaded and frees the system.
    Result Release();

    // A sound from a file; *sound is null when it fails (missing or unreadable file).
    Result CreateSound(const char* path, SoundMode mode, Sound** sound);
    // Starts sound on a free channel, paused or not; *channel is null when it fails.
    Result PlaySound(Sound* sound, bool paused, Channel** channel);

    // For the library's own use: the slot a handle names, with its system's output made current.
    static Result FindVoice(Channel* channel, Voice** voice);
    Result ReleaseSound(Sound* sound);

private:
    explicit System(unsigned long long firstGeneration);
    ~System();

    System(const System&) = delete;
    System& operator=(const System&) = delete;

    Result LoadSample(const std::string& path, Sound** sound);
    Result OpenStream(const std::string& path, Sound** sound);
    int FindFreeVoice();
    void StopVoicesPlaying(Sound* sound);

    unsigned long long _firstGeneration;
    bool _initialized;
    SpeakerMode _speakerMode;
    unsigned int _streamBufferFrames;
    int _streamBufferCount;
    AudioOutput _output;
    std::vector<Voice*> _voices;
    int _nextVoice;
    std::vector<Sound*> _sounds;
    // The file the last sample came from: copies of one file loaded one after another are
    // decoded once.
    DecodedFile _lastDecoded;

    static std::vector<System*> s_systems;
    static unsigned long long s_nextGeneration;
};
}
