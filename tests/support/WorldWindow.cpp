#include "support/WorldWindow.h"

#include "engine/core/World.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

void WorldWindow::SetUp()
{
    ASSERT_TRUE(World::GetInstance()->Initialize("Zarvo Engine", false, false, false));
}

void WorldWindow::DrawFrame(bool tick)
{
    World* world = World::GetInstance();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (tick)
    {
        world->Tick(world->IsSimulationOn());
    }
    world->Render();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glFinish();
    _captured = false;
}

void WorldWindow::Capture()
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, _pixels);
    _captured = true;
}

std::vector<unsigned char> WorldWindow::WindowPixels()
{
    std::vector<unsigned char> pixels(Width * Height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

unsigned char* WorldWindow::Row(int y)
{
    if (!_captured)
    {
        Capture();
    }
    // OpenGL's rows start at the bottom.
    return _pixels + (Height - 1 - y) * Width * 4;
}

WorldWindow::Pixel WorldWindow::ReadPixel(int x, int y)
{
    const unsigned char* p = Row(y) + x * 4;
    Pixel pixel = {p[0], p[1], p[2], p[3]};
    return pixel;
}

bool WorldWindow::IsColor(const Pixel& pixel, int r, int g, int b, int tolerance)
{
    return std::abs(pixel.R - r) <= tolerance && std::abs(pixel.G - g) <= tolerance &&
           std::abs(pixel.B - b) <= tolerance;
}

int WorldWindow::CountPixels(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance)
{
    int count = 0;
    // Only what lies inside the window is read.
    for (int y = std::max(y0, 0); y < std::min(y1, (int)Height); ++y)
    {
        for (int x = std::max(x0, 0); x < std::min(x1, (int)Width); ++x)
        {
            count += IsColor(ReadPixel(x, y), r, g, b, tolerance) ? 1 : 0;
        }
    }
    return count;
}

bool WorldWindow::RegionIs(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance)
{
    return CountPixels(x0, y0, x1, y1, r, g, b, tolerance) == (x1 - x0) * (y1 - y0);
}
