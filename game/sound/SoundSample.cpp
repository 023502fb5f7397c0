#include "game/sound/SoundSample.h"

#include "engine/sound/SoundDevice.h"

SoundSample::SoundSample(const String& file, float volume, bool streamed)
    : _handle(nullptr), _name(file), _volume(volume)
{
    _handle = SoundDevice::GetInstance()->LoadSample(file, streamed);
}

SoundSample::~SoundSample()
{
}
