// Actors that live in window pixels or cover the view, drawn with the World's window.
#include "engine/actors/FullScreenActor.h"
#include "engine/actors/HUDActor.h"
#include "engine/core/World.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>

namespace
{
class ScreenActorTest : public WorldWindow
{
protected:
    // Delivers pending messages ("CameraChange" among them), then draws one frame.
    void DrawWorld()
    {
        Switchboard::GetInstance()->SendAllMessages();
        RenderFrame();
    }

    bool WindowIsBlue() { return RegionIs(0, 0, Width, Height, 0, 0, 255); }
};

HUDActor* AddHud(const Vector2& position, const Vector2& size, const Color& color)
{
    HUDActor* hud = new HUDActor();
    hud->SetPosition(position);
    hud->SetSize(size);
    hud->SetColor(color);
    World::GetInstance()->Add(hud, 0);
    return hud;
}

FullScreenActor* AddFullScreen()
{
    FullScreenActor* cover = new FullScreenActor();
    cover->SetColor(0.0f, 0.0f, 1.0f);
    World::GetInstance()->Add(cover, 0);
    return cover;
}
}

TEST_F(ScreenActorTest, HudActorIsPlacedInPixelsFromTheTopLeft)
{
    // Centred 100 pixels from the left and 50 from the top: x 0..200, y 30..70.
    AddHud(Vector2(100.0f, 50.0f), Vector2(200.0f, 40.0f), Color(1.0f, 0.0f, 0.0f));
    DrawWorld();
    EXPECT_TRUE(RegionIs(0, 30, 200, 70, 255, 0, 0));
    EXPECT_TRUE(RegionIs(0, 25, 210, 29, 255, 255, 255));
    EXPECT_TRUE(RegionIs(0, 71, 210, 75, 255, 255, 255));
    EXPECT_TRUE(RegionIs(201, 30, 210, 70, 255, 255, 255));

    // The camera moving away and aside changes nothing on screen.
    Camera::GetInstance()->SetPosition(5.0f, 3.0f, 30.0f);
    Camera::GetInstance()->SetRotation(20.0f);
    DrawWorld();
    EXPECT_TRUE(RegionIs(0, 30, 200, 70, 255, 0, 0));
    EXPECT_TRUE(RegionIs(201, 30, 210, 70, 255, 255, 255));
}

TEST_F(ScreenActorTest, HudActorTurnsAboutItsCentre)
{
    HUDActor* hud = AddHud(Vector2(500.0f, 300.0f), Vector2(200.0f, 40.0f), Color(0.0f, 0.6f, 0.0f));
    hud->SetRotation(90.0f);
    DrawWorld();
    // Standing upright now: 40 pixels wide, 200 tall.
    EXPECT_TRUE(RegionIs(481, 201, 519, 399, 0, 153, 0));
    EXPECT_TRUE(RegionIs(530, 280, 620, 320, 255, 255, 255));
    EXPECT_EQ("HUDActor", hud->GetClassName());
}

TEST_F(ScreenActorTest, FullScreenActorCoversTheViewAsTheCameraMoves)
{
    FullScreenActor* cover = AddFullScreen();
    DrawWorld();
    EXPECT_TRUE(WindowIsBlue());
    EXPECT_NEAR(20.0f * 1024.0f / 768.0f, cover->GetSize().X, 1e-3f);
    EXPECT_NEAR(20.0f, cover->GetSize().Y, 1e-3f);

    Camera::GetInstance()->SetPosition(7.0f, -3.0f, 25.0f);
    DrawWorld();
    EXPECT_TRUE(WindowIsBlue());
    EXPECT_EQ(Vector2(7.0f, -3.0f), cover->GetPosition());
    EXPECT_NEAR(50.0f, cover->GetSize().Y, 1e-3f);
    EXPECT_EQ("FullScreenActor", cover->GetClassName());
}

TEST_F(ScreenActorTest, FullScreenActorCoversTheViewOfATurnedCamera)
{
    FullScreenActor* cover = AddFullScreen();
    Camera::GetInstance()->SetRotation(90.0f);
    DrawWorld();
    EXPECT_TRUE(WindowIsBlue());
    EXPECT_EQ(-90.0f, cover->GetRotation());
    // Measured along the camera's own axes, still the window's shape.
    EXPECT_NEAR(20.0f * 1024.0f / 768.0f, cover->GetSize().X, 1e-3f);
    EXPECT_NEAR(20.0f, cover->GetSize().Y, 1e-3f);

    Camera::GetInstance()->SetRotation(200.0f);
    DrawWorld();
    EXPECT_TRUE(WindowIsBlue());
}

TEST_F(ScreenActorTest, LockedFullScreenActorKeepsItsFitUntilUnlocked)
{
    FullScreenActor* cover = AddFullScreen();
    cover->SetLock(true);
    EXPECT_TRUE(cover->IsLocked());
    Camera::GetInstance()->Resize(768, 768);
    Switchboard::GetInstance()->SendAllMessages();
    EXPECT_NEAR(20.0f * 1024.0f / 768.0f, cover->GetSize().X, 1e-3f);

    // Unlocking fits it to the new, square view in the same call.
    cover->SetLock(false);
    EXPECT_NEAR(20.0f, cover->GetSize().X, 1e-3f);
    EXPECT_NEAR(20.0f, cover->GetSize().Y, 1e-3f);
    Camera::GetInstance()->Resize(Width, Height);
}
