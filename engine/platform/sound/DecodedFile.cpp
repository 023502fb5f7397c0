#include "engine/platform/sound/DecodedFile.h"

#include "engine/platform/sound/SoundFileDecoder.h"

#include <sys/stat.h>

namespace SoundLib
{
namespace
{
// Size and modification time of the file, or false when there is none.
bool FileStamp(const std::string& path, long long& size, long long& modifiedNanoseconds)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
    {
        return false;
    }
    size = (long long)status.st_size;
    modifiedNanoseconds = (long long)status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec;
    return true;
}
}

DecodedFile::DecodedFile() : _size(0), _modifiedNanoseconds(0), _channels(0), _sampleRate(0) {}

Result DecodedFile::Load(const std::string& path)
{
    long long size = 0;
    long long modified = 0;
    const bool stamped = FileStamp(path, size, modified);
    if (stamped && !_samples.empty() && path == _path && size == _size && modified == _modifiedNanoseconds)
    {
        return RESULT_OK;
    }
    Forget();
    SoundFileDecoder decoder;
    const Result opened = decoder.Open(path);
    if (opened != RESULT_OK)
    {
        return opened;
    }
    decoder.ReadAll(_samples);
    if (_samples.empty())
    {
        return RESULT_ERR_FORMAT;
    }
    _path = path;
    _size = size;
    _modifiedNanoseconds = modified;
    _channels = decoder.GetChannels();
    _sampleRate = decoder.GetSampleRate();
    return RESULT_OK;
}

void DecodedFile::Forget()
{
    _path.clear();
    _size = 0;
    _modifiedNanoseconds = 0;
    _channels = 0;
    _sampleRate = 0;
    _samples.clear();
}
}
