#include "engine/platform/sound/AudioOutput.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace SoundLib
{
AudioOutput::AudioOutput() : _device(0), _context(0), _hasStereoAngles(false) {}

AudioOutput::~AudioOutput() { Close(); }

AudioOutput::OpenResult AudioOutput::Open()
{
    Close();
    _device = alcOpenDevice(0);
    if (_device == 0)
    {
        return OPENRESULT_NO_DEVICE;
    }
    _context = alcCreateContext(_device, 0);
    if (_context == 0)
    {
        alcCloseDevice(_device);
        _device = 0;
        return OPENRESULT_NO_CONTEXT;
    }
    alcMakeContextCurrent(_context);
    // Sounds are panned, never placed in space: no attenuation by distance.
    alDistanceModel(AL_NONE);
    _hasStereoAngles = alIsExtensionPresent("AL_EXT_STEREO_ANGLES") == AL_TRUE;
    return OPENRESULT_OPENED;
}

void AudioOutput::Close()
{
    if (_context != 0)
    {
        MakeCurrent();
        for (size_t i = 0; i < _allSources.size(); ++i)
        {
            ResetSource(_allSources[i]);
        }
        if (!_allSources.empty())
        {
            alDeleteSources((ALsizei)_allSources.size(), _allSources.data());
        }
        alcMakeContextCurrent(0);
        alcDestroyContext(_context);
        _context = 0;
    }
    _allSources.clear();
    _freeSources.clear();
    if (_device != 0)
    {
        alcCloseDevice(_device);
        _device = 0;
    }
}

void AudioOutput::MakeCurrent()
{
    if (_context != 0 && alcGetCurrentContext() != _context)
    {
        alcMakeContextCurrent(_context);
    }
}

unsigned int AudioOutput::AcquireSource()
{
    if (IsSilent())
    {
        return 0;
    }
    if (!_freeSources.empty())
    {
        const unsigned int source = _freeSources.back();
        _freeSources.pop_back();
        return source;
    }
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR)
    {
        return 0;
    }
    _allSources.push_back(source);
    ResetSource(source);
    return source;
}

void AudioOutput::ReleaseSource(unsigned int source)
{
    if (source == 0 || IsSilent())
    {
        return;
    }
    ResetSource(source);
    _freeSources.push_back(source);
}

void AudioOutput::ResetSource(unsigned int source)
{
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alSourceRewind(source);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    alSourcef(source, AL_GAIN, 1.0f);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, -1.0f);
    if (_hasStereoAngles)
    {
        const ALfloat angles[2] = {0.5235988f, -0.5235988f};
        alSourcefv(source, AL_STEREO_ANGLES, angles);
    }
}
}
