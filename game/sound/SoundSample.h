#pragma once

#include "engine/sound/SoundHandles.h"
#include "engine/util/StringTypes.h"

// One sound file loaded through the sound device, with its own volume factor. The device
// keeps the loaded sound; this record only names it.
class SoundSample
{
public:
    SoundSample(const String& file, float volume, bool streamed);
    virtual ~SoundSample();

    ZarvoSampleHandle GetHandle() const { return _handle; }
    const String& GetName() const { return _name; }
    float GetVolume() const { return _volume; }

private:
    ZarvoSampleHandle _handle;
    String _name;
    float _volume;
};
