#pragma once

#include <string>
#include <vector>

// A WAV file written by the sound output, read back for level checks: 16-bit or float
// samples, any channel count, mixed down to one channel. A file whose writer was stopped
// before it could finish its header is read up to its end.
class WaveRecording
{
public:
    WaveRecording();

    bool Load(const std::string& path);
    const std::string& GetError() const { return _error; }

    int GetSampleRate() const { return _sampleRate; }
    size_t GetFrameCount() const { return _samples.size(); }
    double GetSeconds() const;
    // The frame the writer was at when the file had grown to this many bytes.
    size_t FrameAtFileSize(long long bytes) const;

    // Levels of the frames [begin, end), clipped to the recording.
    double Rms(size_t begin, size_t end) const;
    double Peak(size_t begin, size_t end) const;
    // Peak level of each whole window of this many frames in [begin, end).
    std::vector<double> WindowPeaks(size_t begin, size_t end, size_t windowFrames) const;
    std::vector<double> WindowRms(size_t begin, size_t end, size_t windowFrames) const;
    // The same for windows that start every hopFrames, so they may overlap.
    std::vector<double> WindowRms(size_t begin, size_t end, size_t windowFrames, size_t hopFrames) const;

private:
    std::vector<float> _samples;
    int _sampleRate;
    int _channels;
    int _bytesPerSample;
    long long _dataOffset;
    std::string _error;
};
