#pragma once

#include <string>
#include <vector>

// Sound files made on the spot for the sound tests.
namespace SoundTestFiles
{
enum Format
{
    FORMAT_WAV,
    FORMAT_FLAC,
    FORMAT_MP3
};

// A sine tone of the given pitch and amplitude (0..1), on one or two channels.
bool WriteTone(const std::string& path, Format format, double seconds, double frequency = 440.0,
               int channels = 1, double amplitude = 0.5, int sampleRate = 44100);
// A file that only looks like a sound file by its name.
bool WriteGarbage(const std::string& path);

// Everything in a sound file as interleaved floats.
struct Recording
{
    int Channels = 0;
    int SampleRate = 0;
    std::vector<float> Samples;
};
bool Read(const std::string& path, Recording& recording);
}
