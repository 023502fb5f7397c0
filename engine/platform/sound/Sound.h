#pragma once

#include "engine/platform/sound/SoundTypes.h"

#include <string>

namespace SoundLib
{
// A loaded sound file: a sample held decoded in the mixer, or a stream that each
// channel playing it decodes on its own. Created by System::CreateSound and owned by
// the system until Release (or until the system itself is released).
class Sound
{
public:
    // Stops every channel that plays this sound (without reporting their end) and frees it.
    Result Release();

    // For the library's own use.
    Sound(System* owner, const std::string& path, SoundMode mode, int channels, int sampleRate,
          long long frames, unsigned int buffer);
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    const std::string& GetPath() const { return _path; }
    bool IsStream() const { return _mode == SOUNDMODE_STREAM; }
    int GetChannels() const { return _channels; }
    int GetSampleRate() const { return _sampleRate; }
    double GetLengthSeconds() const;
    // The mixer's buffer holding a sample's data; 0 for streams and without output.
    unsigned int GetBuffer() const { return _buffer; }

private:
    System* _owner;
    std::string _path;
    SoundMode _mode;
    int _channels;
    int _sampleRate;
    long long _frames;
    unsigned int _buffer;
};
}
