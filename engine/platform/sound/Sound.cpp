#include "engine/platform/sound/Sound.h"

#include "engine/platform/sound/SoundSystem.h"
#include "engine/util/DeletionNotice.h"

#include <AL/al.h>

namespace SoundLib
{
Sound::Sound(System* owner, const std::string& path, SoundMode mode, int channels, int sampleRate,
             long long frames, unsigned int buffer)
    : _owner(owner), _path(path), _mode(mode), _channels(channels), _sampleRate(sampleRate), _frames(frames),
      _buffer(buffer)
{
}

Sound::~Sound()
{
    DeletionNotice::Send(this);
    if (_buffer != 0)
    {
        alDeleteBuffers(1, &_buffer);
    }
}

Result Sound::Release() { return _owner->ReleaseSound(this); }

double Sound::GetLengthSeconds() const
{
    if (_sampleRate <= 0 || _frames <= 0)
    {
        return 0.0;
    }
    return (double)_frames / (double)_sampleRate;
}
}
