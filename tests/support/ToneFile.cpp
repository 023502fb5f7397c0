#include "support/ToneFile.h"

#include <cmath>
#include <cstdint>
#include <fstream>

void WriteToneWav(const std::string& path, double seconds)
{
    const int rate = 22050;
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    std::ofstream file(path, std::ios::binary);
    auto put32 = [&](uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
    file << "RIFF";
    put32(36 + frames * 2);
    file << "WAVEfmt ";
    put32(16);
    put16(1);      // PCM
    put16(1);      // mono
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    file << "data";
    put32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        put16(static_cast<uint16_t>(static_cast<int16_t>(8000.0 * std::sin(i * 0.06))));
}
