// Window pixels to world units and back, through the camera.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/Camera.h"
#include "support/WorldWindow.h"

typedef WorldWindow ScreenWorld;

TEST_F(ScreenWorld, CentreAndCornersOfTheDefaultView)
{
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(0, 0), MathUtil::ScreenToWorld(512, 384), 1e-4f));
    const Vector2 topLeft = MathUtil::ScreenToWorld(0, 0);
    EXPECT_NEAR(-20.0f * 1024.0f / 768.0f / 2.0f, topLeft.X, 1e-3);
    EXPECT_NEAR(10.0f, topLeft.Y, 1e-4);
    const Vector2 screen = MathUtil::WorldToScreen(Vector2(1.0f, 1.0f));
    EXPECT_NEAR(512.0f + 38.4f, screen.X, 1e-3);
    EXPECT_NEAR(384.0f - 38.4f, screen.Y, 1e-3);
    EXPECT_NEAR(1.0f, MathUtil::PixelsToWorldUnits(38.4f), 1e-5);
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(3, -2), MathUtil::ScreenToWorld(Vec2i(512 + 115, 384 + 77)), 0.02f));
}

TEST_F(ScreenWorld, RotatedCameraRoundTrips)
{
    Camera* camera = Camera::GetInstance();
    camera->SetPosition(10.0f, 0.0f);
    camera->SetRotation(90.0f);
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(10, 0), MathUtil::ScreenToWorld(512, 384), 1e-4f));
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(512, 384), MathUtil::WorldToScreen(10.0f, 0.0f), 1e-3f));

    camera->SetRotation(30.0f);
    const int pixels[][2] = {{0, 0}, {100, 700}, {1000, 20}, {600, 400}};
    for (size_t i = 0; i < 4; ++i)
    {
        const Vector2 world = MathUtil::ScreenToWorld(pixels[i][0], pixels[i][1]);
        const Vector2 back = MathUtil::WorldToScreen(world);
        EXPECT_NEAR(pixels[i][0], back.X, 0.01) << i;
        EXPECT_NEAR(pixels[i][1], back.Y, 0.01) << i;
    }
}

TEST_F(ScreenWorld, ConversionsMatchWhatIsDrawn)
{
    Camera* camera = Camera::GetInstance();
    camera->SetPosition(2.0f, 1.0f);
    camera->SetRotation(90.0f);
    Actor* marker = new Actor();
    marker->SetColor(1, 0, 0);
    marker->SetPosition(5.0f, 1.0f);
    World::GetInstance()->Add(marker);
    RenderFrame();
    const Vector2 screen = MathUtil::WorldToScreen(marker->GetPosition());
    EXPECT_TRUE(IsColor(ReadPixel((int)screen.X, (int)screen.Y), 255, 0, 0))
        << screen.X << ", " << screen.Y;
    // Seen through a camera turned a quarter to the left, a point to the right lies above.
    EXPECT_NEAR(384.0f - 3 * 38.4f, screen.Y, 0.01);
    EXPECT_TRUE(MathUtil::FuzzyEquals(Vector2(5, 1),
                                      MathUtil::ScreenToWorld((int)screen.X, (int)screen.Y), 0.03f));
}
