#pragma once

#include <cstdint>

// A colour of four bytes; 255 is full intensity and full opacity. A colour written as one
// 32-bit number packs r in bits 0-7, g in 8-15, b in 16-23 and a in 24-31.
namespace Gui
{
    struct Color
    {
        unsigned char r, g, b, a;

        Color(unsigned char r_ = 255, unsigned char g_ = 255, unsigned char b_ = 255, unsigned char a_ = 255)
            : r(r_), g(g_), b(b_), a(a_)
        {
        }
        explicit Color(uint32_t packed)
            : r(packed & 0xFF), g((packed >> 8) & 0xFF), b((packed >> 16) & 0xFF), a((packed >> 24) & 0xFF)
        {
        }

        bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
        bool operator!=(const Color& o) const { return !(*this == o); }
    };

    namespace Colors
    {
        const Color Black(0, 0, 0, 255);
        const Color Red(255, 0, 0, 255);
        const Color Yellow(255, 255, 0, 255);
        const Color White(255, 255, 255, 255);
        const Color Blue(0, 0, 255, 255);
        const Color Green(0, 255, 0, 255);
        const Color Grey(200, 200, 200, 255);
        const Color GreyLight(230, 230, 230, 255);
        const Color Pink(255, 65, 199, 255);
    }
}
