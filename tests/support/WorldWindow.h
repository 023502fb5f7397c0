#pragma once

#include <gtest/gtest.h>

#include <vector>

// A fixture for in-process drawing tests: opens the World's window (1024 x 768, white
// background), draws frames the way the main loop does, and reads pixels back from the
// frame just drawn. Pixel rows count from the top of the window, like window coordinates.
class WorldWindow : public ::testing::Test
{
public:
    struct Pixel
    {
        int R, G, B, A;
    };

    static constexpr int Width = 1024;
    static constexpr int Height = 768;

    // The whole window as OpenGL reads it back: RGBA rows from the bottom, drawing finished.
    static std::vector<unsigned char> WindowPixels();

protected:
    void SetUp() override;

    // Clear, tick (when asked), render: one frame without swapping, so it can be read back.
    void DrawFrame(bool tick = true);
    // Clear and render only, so nothing moves between the frame and the checks.
    void RenderFrame() { DrawFrame(false); }

    Pixel ReadPixel(int x, int y);
    // Reads the whole window once; ReadPixel then serves from this copy until the next frame.
    void Capture();
    // How many pixels of the rectangle [x0, x1) x [y0, y1) are within tolerance of the colour;
    // a part outside the window counts none.
    int CountPixels(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance = 8);
    // Whether every pixel of the rectangle is within tolerance of the colour.
    bool RegionIs(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance = 8);
    bool IsColor(const Pixel& pixel, int r, int g, int b, int tolerance = 8);

private:
    unsigned char* Row(int y);

    bool _captured = false;
    unsigned char _pixels[Width * Height * 4];
};
