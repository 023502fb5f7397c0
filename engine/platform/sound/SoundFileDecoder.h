#pragma once

#include "engine/platform/sound/SoundResult.h"

#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace SoundLib
{
// Reads a sound file (WAV, Ogg, FLAC, MP3, ...) as interleaved 16-bit frames of one or two channels.
class SoundFileDecoder
{
public:
    SoundFileDecoder();
    ~SoundFileDecoder();

    SoundFileDecoder(const SoundFileDecoder&) = delete;
    SoundFileDecoder& operator=(const SoundFileDecoder&) = delete;

    // RESULT_ERR_FILE_NOT_FOUND when nothing is at path, RESULT_ERR_FORMAT when the file
    // can't be read or has more than two channels.
    Result Open(const std::string& path);
    void Close();
    bool IsOpen() const { return _file != 0; }

    int GetChannels() const { return _channels; }
    int GetSampleRate() const { return _sampleRate; }
    // The length the file declares; some compressed formats only estimate it.
    long long GetFrames() const { return _frames; }

    // Reads up to frameCount frames into frames (which holds frameCount x channels values);
    // returns how many were read, 0 at the end of the file or on a decoding error.
    long long Read(short* frames, long long frameCount);
    // Reads everything that is left.
    void ReadAll(std::vector<short>& samples);
    bool Rewind();

private:
    SNDFILE* _file;
    int _channels;
    int _sampleRate;
    long long _frames;
};
}
