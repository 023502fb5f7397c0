#pragma once

#include "engine/util/StringTypes.h"

// An RGBA colour with float components, nominally 0..1.
struct Color
{
    float R;
    float G;
    float B;
    float A;

    // Opaque white.
    Color();
    // With clamp set every component is limited to 0..1.
    Color(float r, float g, float b, float a = 1.0f, bool clamp = true);

    // Components 0..255, divided by 255.
    static Color FromInts(int r, int g, int b, int a = 255, bool clamp = true);
    // Reads "#RRGGBB", "0xRRGGBB" or the three-digit short forms ("#F80"); any
    // other text gives opaque white.
    static Color FromHexString(const String& text);

    // Limits R, G, B and A to 0..1 in place.
    void Clamp();

    // Component-wise on all four channels, without clamping.
    Color operator+(const Color& other) const;
    Color operator-(const Color& other) const;
    Color operator*(float scalar) const;
    Color operator/(float scalar) const;
    // Inline: batches compare the colours of thousands of sprites a frame.
    bool operator==(const Color& other) const
    {
        return R == other.R && G == other.G && B == other.B && A == other.A;
    }
    bool operator!=(const Color& other) const { return !(*this == other); }
};
