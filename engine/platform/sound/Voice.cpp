#include "engine/platform/sound/Voice.h"

#include "engine/platform/sound/AudioOutput.h"
#include "engine/platform/sound/Sound.h"

#include <AL/al.h>
#include <AL/alext.h>

#include <cmath>

namespace SoundLib
{
namespace
{
const float kHalfPi = 1.5707963f;
// Where the two channels of a stereo sound stand when it is not panned: 30 degrees off centre.
const float kStereoSpread = 0.5235988f;
}

Voice::Voice(AudioOutput* output)
    : _output(output), _sound(0), _generation(0), _source(0), _paused(false), _looping(false), _volume(1.0f),
      _pan(0.0f), _callback(0)
{
}

Voice::~Voice() { Release(); }

Result Voice::Start(Sound* sound, unsigned long long generation, bool paused, unsigned int streamBufferFrames,
                    int streamBufferCount)
{
    Release();
    _generation = generation;
    _paused = paused;
    _looping = false;
    _volume = 1.0f;
    _pan = 0.0f;
    _callback = 0;

    _source = _output->AcquireSource();
    if (_source == 0 && !_output->IsSilent())
    {
        return RESULT_ERR_CHANNEL_ALLOC;
    }
    if (_source != 0)
    {
        if (sound->IsStream())
        {
            const Result started =
                _stream.Start(sound->GetPath(), _source, streamBufferFrames, streamBufferCount, _looping);
            if (started != RESULT_OK)
            {
                _output->ReleaseSource(_source);
                _source = 0;
                return started;
            }
        }
        else
        {
            alSourcei(_source, AL_BUFFER, (ALint)sound->GetBuffer());
        }
        if (!paused)
        {
            alSourcePlay(_source);
        }
    }
    _sound = sound;
    _clock.Start(paused);
    return RESULT_OK;
}

void Voice::Stop() { Release(); }

bool Voice::Update()
{
    if (_sound == 0)
    {
        return false;
    }
    if (!HasReachedEnd())
    {
        return false;
    }
    Release();
    return true;
}

bool Voice::HasReachedEnd()
{
    if (_source == 0)
    {
        return !_looping && _clock.GetSeconds() >= _sound->GetLengthSeconds();
    }
    ALint state = AL_STOPPED;
    if (_sound->IsStream())
    {
        if (!_stream.Refill(_looping))
        {
            return true;
        }
        alGetSourcei(_source, AL_SOURCE_STATE, &state);
        // Ran dry before the refill came (a long frame): carry on with what is queued now.
        if (state == AL_STOPPED && !_paused)
        {
            alSourcePlay(_source);
        }
        return false;
    }
    alGetSourcei(_source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED;
}

void Voice::SetPaused(bool paused)
{
    if (_sound == 0 || paused == _paused)
    {
        return;
    }
    _paused = paused;
    _clock.SetPaused(paused);
    if (_source != 0)
    {
        if (paused)
        {
            alSourcePause(_source);
        }
        else
        {
            alSourcePlay(_source);
        }
    }
}

void Voice::SetVolume(float volume)
{
    if (_sound == 0)
    {
        return;
    }
    _volume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    if (_source != 0)
    {
        alSourcef(_source, AL_GAIN, _volume);
    }
}

void Voice::SetPan(float pan)
{
    if (_sound == 0)
    {
        return;
    }
    _pan = pan < -1.0f ? -1.0f : (pan > 1.0f ? 1.0f : pan);
    ApplyPan();
}

void Voice::SetLoopMode(LoopMode mode)
{
    if (_sound == 0)
    {
        return;
    }
    _looping = (mode == LOOPMODE_NORMAL);
    // A stream loops by starting its file over while refilling.
    if (_source != 0 && !_sound->IsStream())
    {
        alSourcei(_source, AL_LOOPING, _looping ? AL_TRUE : AL_FALSE);
    }
}

void Voice::ApplyPan()
{
    if (_source == 0)
    {
        return;
    }
    if (_sound->GetChannels() == 1)
    {
        // A mono sound is placed on a half circle in front of the listener.
        const float angle = _pan * kHalfPi;
        alSource3f(_source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
        return;
    }
    if (_output->HasStereoAngles())
    {
        // Both channels of a stereo sound swing towards the side it is panned to.
        const float towards = _pan >= 0.0f ? -kHalfPi : kHalfPi;
        const float amount = std::fabs(_pan);
        const ALfloat angles[2] = {kStereoSpread + amount * (towards - kStereoSpread),
                                   -kStereoSpread + amount * (towards + kStereoSpread)};
        alSourcefv(_source, AL_STEREO_ANGLES, angles);
    }
}

void Voice::Release()
{
    _stream.Stop();
    if (_source != 0)
    {
        _output->ReleaseSource(_source);
        _source = 0;
    }
    _sound = 0;
    _paused = false;
}
}
