// The main loop in this process, with a real window: frame budget and clear colour.
#include "engine/core/GameManager.h"
#include "engine/core/World.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace
{
// Stamps the start of every tick and stops the loop after a number of frames.
class FrameStamper : public GameManager
{
public:
    explicit FrameStamper(int frames) : framesLeft(frames) {}
    void Update(float) override
    {
        stamps.push_back(std::chrono::steady_clock::now());
        frameLengths.push_back(World::GetInstance()->GetLastFrameSeconds());
        if (--framesLeft <= 0)
        {
            World::GetInstance()->StopGame();
        }
    }
    void Render() override
    {
        glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, lastPixel);
    }
    void ReceiveMessage(Message*) override {}
    int framesLeft;
    std::vector<std::chrono::steady_clock::time_point> stamps;
    std::vector<double> frameLengths;
    unsigned char lastPixel[4] = {0, 0, 0, 0};
};
}

TEST(MainLoop, KeepsItsFrameBudgetAndClearsToWhite)
{
    World& world = *World::GetInstance();
    ASSERT_TRUE(world.Initialize("Zarvo Engine", false, false, false));
    EXPECT_FALSE(world.Initialize("Again", false, false, false));
    FrameStamper* stamper = new FrameStamper(61);
    world.SetGameManager(stamper);
    world.StartGame();

    ASSERT_EQ(61u, stamper->stamps.size());
    // Each tick reports the whole length of the frame before it, sleep included.
    for (size_t i = 1; i < stamper->frameLengths.size(); ++i)
    {
        EXPECT_GE(stamper->frameLengths[i], 0.015666) << "frame " << i;
    }
    const double total =
        std::chrono::duration<double>(stamper->stamps.back() - stamper->stamps.front()).count();
    EXPECT_GE(total, 60 * 0.015666 - 0.002);
    EXPECT_EQ(255, stamper->lastPixel[0]);
    EXPECT_EQ(255, stamper->lastPixel[1]);
    EXPECT_EQ(255, stamper->lastPixel[2]);

    // A second call runs nothing.
    world.StartGame();
    EXPECT_EQ(61u, stamper->stamps.size());
    world.Destroy();
}

TEST(MainLoop, BackgroundColourIgnoresAlpha)
{
    World& world = *World::GetInstance();
    ASSERT_TRUE(world.Initialize("Zarvo Engine", false, false, false));
    world.SetBackgroundColor(Color(0.0f, 0.0f, 1.0f, 0.5f));
    float clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(1.0f, clear[3]);
    EXPECT_FLOAT_EQ(1.0f, clear[2]);
}

// Depth tests keep the 24 bits they always had; there is no stencil buffer to keep beside
// them, since nothing draws with one.
TEST(MainLoop, TheWindowHasA24BitDepthBufferAndNoStencil)
{
    World& world = *World::GetInstance();
    ASSERT_TRUE(world.Initialize("Zarvo Engine", false, false, false));
    GLint depthBits = 0;
    GLint stencilBits = -1;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    EXPECT_EQ(24, depthBits);
    EXPECT_EQ(0, stencilBits);
}
