#include "engine/math/Color.h"

#include <algorithm>
#include <cstdlib>

namespace
{
    float ClampUnit(float value)
    {
        return std::min(std::max(value, 0.0f), 1.0f);
    }

    // Removes prefix from the front of text; true when it was there.
    bool StripPrefix(String& text, const String& prefix)
    {
        if (text.compare(0, prefix.size(), prefix) != 0)
            return false;
        text.erase(0, prefix.size());
        return true;
    }

    float FromByte(long value)
    {
        return static_cast<float>(value / 255.0);
    }

    // One hex pair, read with strtol's rules: leading valid digits only, 0 when none.
    long ReadHexPair(const String& digits, size_t offset)
    {
        const String pair = digits.substr(offset, 2);
        return std::strtol(pair.c_str(), nullptr, 16);
    }
}

Color::Color() : R(1.0f), G(1.0f), B(1.0f), A(1.0f) {}

Color::Color(float r, float g, float b, float a, bool clamp) : R(r), G(g), B(b), A(a)
{
    if (clamp)
        Clamp();
}

Color Color::FromInts(int r, int g, int b, int a, bool clamp)
{
    return Color(FromByte(r), FromByte(g), FromByte(b), FromByte(a), clamp);
}

Color Color::FromHexString(const String& text)
{
    String digits = text;
    bool prefixed = StripPrefix(digits, "#");
    // Both prefixes may appear, "#" first ("#0xFF8800").
    if (StripPrefix(digits, "0x") || StripPrefix(digits, "0X"))
        prefixed = true;
    if (!prefixed)
        return Color();

    if (digits.size() == 3)
        digits = String() + digits[0] + digits[0] + digits[1] + digits[1] + digits[2] + digits[2];
    if (digits.size() != 6)
        return Color();

    return Color(FromByte(ReadHexPair(digits, 0)), FromByte(ReadHexPair(digits, 2)),
                 FromByte(ReadHexPair(digits, 4)), 1.0f, true);
}

void Color::Clamp()
{
    R = ClampUnit(R);
    G = ClampUnit(G);
    B = ClampUnit(B);
    A = ClampUnit(A);
}

Color Color::operator+(const Color& other) const
{
    return Color(R + other.R, G + other.G, B + other.B, A + other.A, false);
}

Color Color::operator-(const Color& other) const
{
    return Color(R - other.R, G - other.G, B - other.B, A - other.A, false);
}

Color Color::operator*(float scalar) const
{
    return Color(R * scalar, G * scalar, B * scalar, A * scalar, false);
}

Color Color::operator/(float scalar) const
{
    return Color(R / scalar, G / scalar, B / scalar, A / scalar, false);
}

