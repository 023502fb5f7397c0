#include "support/WaveRecording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
uint32_t ReadU32(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

uint16_t ReadU16(const unsigned char* p)
{
    return (uint16_t)(p[0] | (p[1] << 8));
}
}

WaveRecording::WaveRecording() : _sampleRate(0), _channels(0), _bytesPerSample(0), _dataOffset(0)
{
}

bool WaveRecording::Load(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(&bytes[0], "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0)
    {
        _error = "not a WAV file: " + path;
        return false;
    }
    bool isFloat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size())
    {
        const uint32_t size = ReadU32(&bytes[at + 4]);
        const size_t body = at + 8;
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && body + 16 <= bytes.size())
        {
            uint16_t tag = ReadU16(&bytes[body]);
            _channels = ReadU16(&bytes[body + 2]);
            _sampleRate = (int)ReadU32(&bytes[body + 4]);
            _bytesPerSample = ReadU16(&bytes[body + 14]) / 8;
            // The extensible format names the real one in its sub-format.
            if (tag == 0xFFFE && size >= 40 && body + 26 <= bytes.size())
                tag = ReadU16(&bytes[body + 24]);
            isFloat = tag == 3;
        }
        else if (std::memcmp(&bytes[at], "data", 4) == 0)
        {
            _dataOffset = (long long)body;
            break;
        }
        at = body + size + (size & 1);
    }
    if (_dataOffset == 0 || _channels <= 0 || _sampleRate <= 0 ||
        !((isFloat && _bytesPerSample == 4) || (!isFloat && _bytesPerSample == 2)))
    {
        _error = "unsupported or incomplete WAV file: " + path;
        return false;
    }
    // The header's data size may still be a placeholder: read what is there.
    const size_t frameBytes = (size_t)(_channels * _bytesPerSample);
    const size_t frames = (bytes.size() - (size_t)_dataOffset) / frameBytes;
    _samples.resize(frames);
    for (size_t frame = 0; frame < frames; ++frame)
    {
        const unsigned char* p = &bytes[(size_t)_dataOffset + frame * frameBytes];
        float sum = 0.0f;
        for (int channel = 0; channel < _channels; ++channel, p += _bytesPerSample)
        {
            if (isFloat)
            {
                uint32_t raw = ReadU32(p);
                float value;
                std::memcpy(&value, &raw, sizeof(value));
                sum += value;
            }
            else
            {
                sum += (int16_t)ReadU16(p) / 32768.0f;
            }
        }
        _samples[frame] = sum / (float)_channels;
    }
    return true;
}

double WaveRecording::GetSeconds() const
{
    return _sampleRate > 0 ? (double)_samples.size() / _sampleRate : 0.0;
}

size_t WaveRecording::FrameAtFileSize(long long bytes) const
{
    if (bytes <= _dataOffset || _channels <= 0)
        return 0;
    return (size_t)((bytes - _dataOffset) / (_channels * _bytesPerSample));
}

double WaveRecording::Rms(size_t begin, size_t end) const
{
    end = std::min(end, _samples.size());
    if (begin >= end)
        return 0.0;
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i)
        sum += (double)_samples[i] * _samples[i];
    return std::sqrt(sum / (double)(end - begin));
}

double WaveRecording::Peak(size_t begin, size_t end) const
{
    end = std::min(end, _samples.size());
    double peak = 0.0;
    for (size_t i = begin; i < end; ++i)
        peak = std::max(peak, (double)std::fabs(_samples[i]));
    return peak;
}

std::vector<double> WaveRecording::WindowPeaks(size_t begin, size_t end, size_t windowFrames) const
{
    std::vector<double> peaks;
    end = std::min(end, _samples.size());
    for (size_t at = begin; windowFrames > 0 && at + windowFrames <= end; at += windowFrames)
        peaks.push_back(Peak(at, at + windowFrames));
    return peaks;
}

std::vector<double> WaveRecording::WindowRms(size_t begin, size_t end, size_t windowFrames) const
{
    return WindowRms(begin, end, windowFrames, windowFrames);
}

std::vector<double> WaveRecording::WindowRms(size_t begin, size_t end, size_t windowFrames, size_t hopFrames) const
{
    std::vector<double> levels;
    end = std::min(end, _samples.size());
    for (size_t at = begin; windowFrames > 0 && hopFrames > 0 && at + windowFrames <= end; at += hopFrames)
        levels.push_back(Rms(at, at + windowFrames));
    return levels;
}
