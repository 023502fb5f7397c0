#pragma once

#include <vector>

// The current OpenGL framebuffer read back with glReadPixels, addressed in window pixels
// with the origin at the top left (as HUD and screen text place things).
class FramePixels
{
public:
    struct Pixel
    {
        int R, G, B;
    };

    // A box of pixels, edges inclusive; empty when nothing matched.
    struct Box
    {
        int Left, Top, Right, Bottom;
        bool Empty() const { return Right < Left || Bottom < Top; }
        int Width() const { return Empty() ? 0 : Right - Left + 1; }
        int Height() const { return Empty() ? 0 : Bottom - Top + 1; }
    };

    // Reads the buffer being drawn into (the back buffer before the swap).
    static FramePixels Read();

    int Width() const { return _width; }
    int Height() const { return _height; }
    Pixel At(int x, int y) const;

    // Pixels that differ from the background by more than a small tolerance per channel.
    bool IsInk(int x, int y, const Pixel& background) const;
    // The box around every ink pixel inside the region (the whole frame by default).
    Box InkBox(const Pixel& background) const;
    Box InkBox(const Pixel& background, const Box& region) const;
    int CountInk(const Pixel& background, const Box& region) const;
    // True when every pixel of the region is within tolerance of the colour.
    bool RegionIs(const Box& region, const Pixel& colour, int tolerance = 8) const;

private:
    int _width = 0;
    int _height = 0;
    std::vector<unsigned char> _rgb;
};

bool operator==(const FramePixels::Pixel& a, const FramePixels::Pixel& b);
