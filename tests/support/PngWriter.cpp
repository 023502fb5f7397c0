#include "support/PngWriter.h"

#include <cstdint>
#include <fstream>

namespace
{
uint32_t Crc32(const unsigned char* data, size_t length, uint32_t crc = 0xFFFFFFFFu)
{
    for (size_t i = 0; i < length; ++i)
    {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
        {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return crc;
}

void PutBigEndian(std::vector<unsigned char>& out, uint32_t value)
{
    out.push_back((unsigned char)(value >> 24));
    out.push_back((unsigned char)(value >> 16));
    out.push_back((unsigned char)(value >> 8));
    out.push_back((unsigned char)value);
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data)
{
    PutBigEndian(out, (uint32_t)data.size());
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBigEndian(out, Crc32(typed.data(), typed.size()) ^ 0xFFFFFFFFu);
}

// A zlib stream of stored blocks.
std::vector<unsigned char> Store(const std::vector<unsigned char>& raw)
{
    std::vector<unsigned char> out;
    out.push_back(0x78);
    out.push_back(0x01);
    size_t offset = 0;
    do
    {
        const size_t length = raw.size() - offset < 65535 ? raw.size() - offset : 65535;
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back((unsigned char)(length & 0xFF));
        out.push_back((unsigned char)(length >> 8));
        out.push_back((unsigned char)(~length & 0xFF));
        out.push_back((unsigned char)((~length >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());

    uint32_t a = 1;
    uint32_t b = 0;
    for (size_t i = 0; i < raw.size(); ++i)
    {
        a = (a + raw[i]) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}
}

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba)
{
    if (width <= 0 || height <= 0 || rgba.size() != (size_t)width * height * 4)
    {
        return false;
    }
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y)
    {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + (size_t)y * width * 4, rgba.begin() + (size_t)(y + 1) * width * 4);
    }

    std::vector<unsigned char> header;
    PutBigEndian(header, (uint32_t)width);
    PutBigEndian(header, (uint32_t)height);
    const unsigned char rest[] = {8, 6, 0, 0, 0};
    header.insert(header.end(), rest, rest + 5);

    const unsigned char signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<unsigned char> file(signature, signature + 8);
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", Store(raw));
    PutChunk(file, "IEND", std::vector<unsigned char>());

    std::ofstream out(path.c_str(), std::ios::binary);
    out.write((const char*)file.data(), (std::streamsize)file.size());
    return (bool)out;
}

bool WriteSolidPng(const std::string& path, int width, int height, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a)
{
    std::vector<unsigned char> rgba;
    for (int i = 0; i < width * height; ++i)
    {
        rgba.push_back(r);
        rgba.push_back(g);
        rgba.push_back(b);
        rgba.push_back(a);
    }
    return WritePng(path, width, height, rgba);
}
