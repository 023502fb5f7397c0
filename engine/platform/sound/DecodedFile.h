#pragma once

#include "engine/platform/sound/SoundResult.h"

#include <string>
#include <vector>

namespace SoundLib
{
// A sound file decoded whole into interleaved 16-bit frames. It remembers which file it
// holds, with that file's size and modification time, so loading the same unchanged file
// again (a game keeps several copies of one effect) reuses the frames instead of decoding
// them once more.
class DecodedFile
{
public:
    DecodedFile();

    // Decodes path, unless this already holds that file as it is on disk now. On failure
    // (missing, unreadable or empty file) it holds nothing.
    Result Load(const std::string& path);

    int GetChannels() const { return _channels; }
    int GetSampleRate() const { return _sampleRate; }
    const std::vector<short>& GetSamples() const { return _samples; }

private:
    void Forget();

    std::string _path;
    long long _size;
    long long _modifiedNanoseconds;
    int _channels;
    int _sampleRate;
    std::vector<short> _samples;
};
}
