#include "engine/platform/sound/SoundFileDecoder.h"

#include <sndfile.h>
#include <sys/stat.h>

namespace SoundLib
{
SoundFileDecoder::SoundFileDecoder() : _file(0), _channels(0), _sampleRate(0), _frames(0) {}

SoundFileDecoder::~SoundFileDecoder() { Close(); }

Result SoundFileDecoder::Open(const std::string& path)
{
    Close();
    struct stat status;
    if (path.empty() || stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode))
    {
        return RESULT_ERR_FILE_NOT_FOUND;
    }

    SF_INFO info = SF_INFO();
    _file = sf_open(path.c_str(), SFM_READ, &info);
    if (_file == 0)
    {
        return RESULT_ERR_FORMAT;
    }
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0)
    {
        Close();
        return RESULT_ERR_FORMAT;
    }
    // Floating-point data (MP3 decodes to it) may exceed full scale: clip it rather than let
    // it wrap around. Not scaled to the peak: finding the peak decodes the whole file.
    sf_command(_file, SFC_SET_CLIPPING, 0, SF_TRUE);
    _channels = info.channels;
    _sampleRate = info.samplerate;
    _frames = info.frames;
    return RESULT_OK;
}

void SoundFileDecoder::Close()
{
    if (_file != 0)
    {
        sf_close(_file);
        _file = 0;
    }
}

long long SoundFileDecoder::Read(short* frames, long long frameCount)
{
    if (_file == 0 || frameCount <= 0)
    {
        return 0;
    }
    const sf_count_t read = sf_readf_short(_file, frames, frameCount);
    return read > 0 ? read : 0;
}

void SoundFileDecoder::ReadAll(std::vector<short>& samples)
{
    const long long chunkFrames = 16384;
    std::vector<short> chunk(chunkFrames * _channels);
    long long read = Read(chunk.data(), chunkFrames);
    while (read > 0)
    {
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + read * _channels);
        read = Read(chunk.data(), chunkFrames);
    }
}

bool SoundFileDecoder::Rewind()
{
    return _file != 0 && sf_seek(_file, 0, SEEK_SET) == 0;
}
}
