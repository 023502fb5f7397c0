#pragma once

#include "engine/platform/sound/PlaybackClock.h"
#include "engine/platform/sound/SoundTypes.h"
#include "engine/platform/sound/StreamFeeder.h"

namespace SoundLib
{
class AudioOutput;

// One channel slot: the sound playing on it, its mixer source and its settings.
// Each sound started on the slot gets a new generation; the slot keeps that generation
// after the sound ends, so its handle stays harmless until the slot is given out again.
class Voice
{
public:
    explicit Voice(AudioOutput* output);
    ~Voice();

    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    unsigned long long GetGeneration() const { return _generation; }
    // Playing or paused, as opposed to ended, stopped or never used.
    bool IsActive() const { return _sound != 0; }
    bool IsPaused() const { return _sound != 0 && _paused; }
    Sound* GetSound() const { return _sound; }

    Result Start(Sound* sound, unsigned long long generation, bool paused, unsigned int streamBufferFrames,
                 int streamBufferCount);
    // Ends the sound without reporting it.
    void Stop();
    // Feeds a stream and looks for the end; true when the sound has just played to its end
    // (the voice is then free).
    bool Update();

    void SetPaused(bool paused);
    void SetVolume(float volume);
    void SetPan(float pan);
    void SetLoopMode(LoopMode mode);
    void SetCallback(ChannelCallback callback) { _callback = callback; }
    ChannelCallback GetCallback() const { return _callback; }

private:
    bool HasReachedEnd();
    void ApplyPan();
    void Release();

    AudioOutput* _output;
    Sound* _sound;
    unsigned long long _generation;
    unsigned int _source;
    StreamFeeder _stream;
    PlaybackClock _clock;
    bool _paused;
    bool _looping;
    float _volume;
    float _pan;
    ChannelCallback _callback;
};
}
