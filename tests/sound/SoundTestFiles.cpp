#include "sound/SoundTestFiles.h"

#include <sndfile.h>

#include <cmath>
#include <fstream>

namespace SoundTestFiles
{
bool WriteTone(const std::string& path, Format format, double seconds, double frequency, int channels,
               double amplitude, int sampleRate)
{
    SF_INFO info = SF_INFO();
    info.samplerate = sampleRate;
    info.channels = channels;
    switch (format)
    {
    case FORMAT_FLAC:
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        break;
    case FORMAT_MP3:
        info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
        break;
    default:
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        break;
    }
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
    {
        return false;
    }
    const long long frames = (long long)(seconds * sampleRate);
    std::vector<float> samples(frames * channels);
    for (long long frame = 0; frame < frames; ++frame)
    {
        const float value = (float)(amplitude * std::sin(2.0 * M_PI * frequency * frame / sampleRate));
        for (int channel = 0; channel < channels; ++channel)
        {
            samples[frame * channels + channel] = value;
        }
    }
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return written;
}

bool WriteGarbage(const std::string& path)
{
    std::ofstream file(path, std::ios::binary);
    file << "This is not a sound file, whatever its name says.";
    return file.good();
}

bool Read(const std::string& path, Recording& recording)
{
    SF_INFO info = SF_INFO();
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
    {
        return false;
    }
    recording.Channels = info.channels;
    recording.SampleRate = info.samplerate;
    recording.Samples.assign(info.frames * info.channels, 0.0f);
    const sf_count_t read = sf_readf_float(file, recording.Samples.data(), info.frames);
    recording.Samples.resize(read * info.channels);
    sf_close(file);
    return true;
}
}
