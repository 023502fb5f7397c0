// The camera: projection, following, gliding and its announcements.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "support/SystemLogCapture.h"
#include "support/WorldWindow.h"

#include <GL/gl.h>

#include <cmath>

#include <vector>

namespace
{
class MessageCounter : public MessageListener
{
public:
    explicit MessageCounter(const String& name) { Switchboard::GetInstance()->SubscribeTo(this, name); }
    void ReceiveMessage(Message* message) override
    {
        ++count;
        senders.push_back(message->GetSender());
    }
    int count = 0;
    std::vector<MessageListener*> senders;
};

int Deliver(MessageCounter& counter)
{
    counter.count = 0;
    Switchboard::GetInstance()->SendAllMessages();
    return counter.count;
}
}

typedef WorldWindow CameraView;

TEST_F(CameraView, StartsAtTheDefaultViewOfTheWindow)
{
    Camera* camera = Camera::GetInstance();
    EXPECT_EQ(1024, camera->GetWindowWidth());
    EXPECT_EQ(768, camera->GetWindowHeight());
    EXPECT_FLOAT_EQ(10.0f, camera->GetZ());
    EXPECT_NEAR(10.0f, camera->GetViewRadius(), 1e-4);
    EXPECT_NEAR(10.0f, camera->GetZForViewRadius(10.0f), 1e-4);
    EXPECT_NEAR(20.0f, MathUtil::GetWorldDimensions().Y, 1e-4);
    EXPECT_NEAR(20.0f * 1024.0f / 768.0f, MathUtil::GetWorldDimensions().X, 1e-3);
    EXPECT_NEAR(38.4f, MathUtil::WorldUnitsToPixels(1.0f), 1e-3);
    const Vector2 maxVertex = camera->GetWorldMaxVertex();
    const Vector2 minVertex = camera->GetWorldMinVertex();
    EXPECT_NEAR(10.0f, maxVertex.Y, 1e-4);
    EXPECT_NEAR(-10.0f, minVertex.Y, 1e-4);
    EXPECT_NEAR(-maxVertex.X, minVertex.X, 1e-4);
}

TEST_F(CameraView, SettersAnnounceCameraChange)
{
    MessageCounter changes("CameraChange");
    Camera* camera = Camera::GetInstance();
    Switchboard::GetInstance()->SendAllMessages();

    camera->SetPosition(1.0f, 2.0f);
    EXPECT_EQ(1, Deliver(changes));
    EXPECT_FLOAT_EQ(10.0f, camera->GetZ());
    EXPECT_EQ(Vector2(1.0f, 2.0f), camera->GetPosition());
    camera->SetPosition(Vector3(3.0f, 4.0f, 20.0f));
    EXPECT_EQ(1, Deliver(changes));
    EXPECT_EQ(Vector2(3.0f, 4.0f), camera->GetPosition());
    EXPECT_FLOAT_EQ(20.0f, camera->GetZ());
    camera->SetRotation(30.0f);
    EXPECT_EQ(1, Deliver(changes));
    camera->SetViewCenter(0.0f, 0.0f, -5.0f);
    EXPECT_EQ(1, Deliver(changes));
    camera->SetNearClipDist(0.5f);
    EXPECT_EQ(1, Deliver(changes));
    EXPECT_FLOAT_EQ(0.5f, camera->GetNearClipDist());
    camera->SetFarClipDist(100.0f);
    EXPECT_EQ(1, Deliver(changes));
    // Resizing to the same size still re-projects and announces.
    camera->Resize(1024, 768);
    EXPECT_EQ(1, Deliver(changes));
    // The view radius setter and a reset are silent.
    camera->SetZByViewRadius(5.0f);
    camera->Reset();
    EXPECT_EQ(0, Deliver(changes));
}

TEST_F(CameraView, ResizeKeepsTheAspect)
{
    Camera* camera = Camera::GetInstance();
    camera->Resize(800, 400);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(400, viewport[3]);
    Vector2 dimensions = MathUtil::GetWorldDimensions();
    EXPECT_NEAR(20.0f, dimensions.Y, 1e-4);
    EXPECT_NEAR(40.0f, dimensions.X, 1e-4);
    // Taller than wide: the field of view spans the width.
    camera->Resize(400, 800);
    dimensions = MathUtil::GetWorldDimensions();
    EXPECT_NEAR(20.0f, dimensions.X, 1e-4);
    EXPECT_NEAR(40.0f, dimensions.Y, 1e-4);
    // The projection's aspect follows: x scale = y scale / aspect.
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] * 2.0f, projection[0], 1e-4);
}

TEST_F(CameraView, MinimisedWindowNeverDividesByZero)
{
    Camera* camera = Camera::GetInstance();
    camera->Resize(1024, 0);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_FALSE(MathUtil::IsNaN(projection[i])) << i;
        EXPECT_TRUE(std::isfinite(projection[i])) << i;
    }
    const Vector2 dimensions = MathUtil::GetWorldDimensions();
    EXPECT_TRUE(std::isfinite(dimensions.X) && std::isfinite(dimensions.Y));
    const Vector2 world = MathUtil::ScreenToWorld(10, 10);
    EXPECT_TRUE(std::isfinite(world.X) && std::isfinite(world.Y));
    EXPECT_TRUE(std::isfinite(MathUtil::PixelsToWorldUnits(5.0f)));
}

// Views without a picture gave OpenGL errors, a white window or a world of no size.
TEST_F(CameraView, ViewsWithoutAPictureAreRefused)
{
    MessageCounter changes("CameraChange");
    Camera* camera = Camera::GetInstance();
    Actor* marker = new Actor();
    marker->SetColor(1, 0, 0);
    World::GetInstance()->Add(marker);
    SystemLogCapture().Lines.clear();
    camera->Resize(0, 0);
    camera->Resize(-5, 10);
    camera->SetZByViewRadius(0.0f);
    camera->SetNearClipDist(std::nanf(""));
    camera->SetFarClipDist(-1.0f);
    // A non-finite eye, turn or view centre blanked the picture until it was set again, and
    // so did an actor followed out to infinity (quietly: nothing is followed, nothing announced).
    camera->SetPosition(std::nanf(""), 0.0f);
    camera->MoveTo(Vector3(0.0f, INFINITY, 10.0f), 1.0f, false, "");
    camera->MoveTo(Vector2(1.0f, 1.0f), std::nanf(""));
    camera->SetRotation(std::nanf(""));
    camera->SetViewCenter(std::nanf(""), 0.0f, -10.0f);
    camera->RotateTo(INFINITY, 1.0f);
    camera->RotateTo(30.0f, std::nanf(""));
    EXPECT_EQ(10, CountLines(SystemLogCapture(), "WARNING: A camera"));
    marker->SetPosition(INFINITY, -INFINITY);
    camera->LockTo(marker);
    Deliver(changes);
    camera->Update(0.5f);
    EXPECT_EQ(0, Deliver(changes));
    EXPECT_EQ(Vector3(0.0f, 0.0f, 10.0f), camera->GetPosition3D());
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    EXPECT_NEAR(38.4f, MathUtil::WorldUnitsToPixels(1.0f), 1e-3);
    // The clip distances are reported by the frame drawn with them, which keeps the old ones.
    marker->SetPosition(0.0f, 0.0f);
    RenderFrame();
    EXPECT_EQ(11, CountLines(SystemLogCapture(), "WARNING: A camera"));
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));
}

// Each clip distance is kept as given, so near then far works as far then near does; between
// the two the view keeps its last projection, and only a frame drawn there warns, once.
TEST_F(CameraView, ClipDistancesHoldInEitherOrder)
{
    MessageCounter changes("CameraChange");
    Camera* camera = Camera::GetInstance();
    Actor* marker = new Actor();
    marker->SetColor(1, 0, 0);
    World::GetInstance()->Add(marker);
    SystemLogCapture().Lines.clear();
    camera->SetNearClipDist(300.0f);
    EXPECT_EQ(0, CountLines(SystemLogCapture(), "WARNING: "));
    RenderFrame();
    RenderFrame();
    EXPECT_EQ(1, CountLines(SystemLogCapture(), "WARNING: A camera's clip distances"));
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));
    camera->SetFarClipDist(1000.0f);
    EXPECT_FLOAT_EQ(300.0f, camera->GetNearClipDist());
    EXPECT_FLOAT_EQ(1000.0f, camera->GetFarClipDist());
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 255, 255)) << "the marker is nearer than the near plane";
    // Far first, through near 300 and far 100, between two frames: both announce, neither warns.
    Deliver(changes);
    camera->SetFarClipDist(100.0f);
    camera->SetNearClipDist(0.5f);
    EXPECT_EQ(2, Deliver(changes));
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));
    EXPECT_EQ(1, CountLines(SystemLogCapture(), "WARNING: "));
}

TEST_F(CameraView, LockToFollowsTheActor)
{
    MessageCounter changes("CameraChange");
    Camera* camera = Camera::GetInstance();
    Switchboard::GetInstance()->SendAllMessages();
    Actor* ship = new Actor();
    World::GetInstance()->Add(ship);
    camera->LockTo(ship);
    EXPECT_EQ(ship, camera->GetLockedActor());

    ship->SetPosition(3.0f, -2.0f);
    camera->Update(0.01f);
    EXPECT_EQ(Vector2(3.0f, -2.0f), camera->GetPosition());
    EXPECT_FLOAT_EQ(3.0f, camera->GetPosition3D().X);
    EXPECT_EQ(1, Deliver(changes));
    // Standing still: no announcements.
    camera->Update(0.01f);
    EXPECT_EQ(0, Deliver(changes));
    // Rotation is followed only when asked.
    ship->SetRotation(45.0f);
    camera->Update(0.01f);
    EXPECT_FLOAT_EQ(0.0f, camera->GetRotation());
    camera->LockTo(ship, true, false, true);
    ship->SetPosition(5.0f, 7.0f);
    camera->Update(0.01f);
    EXPECT_FLOAT_EQ(45.0f, camera->GetRotation());
    EXPECT_EQ(Vector2(5.0f, -2.0f), camera->GetPosition());

    // The drawn view follows too: the ship stays at the window centre.
    ship->SetRotation(0.0f);
    ship->SetColor(1, 0, 0);
    camera->LockTo(ship);
    DrawFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));
    camera->LockTo(0);
    EXPECT_EQ(0, camera->GetLockedActor());
}

TEST_F(CameraView, GlideEndsWithItsMessage)
{
    MessageCounter arrived("CameraArrived");
    Camera* camera = Camera::GetInstance();
    camera->MoveTo(Vector3(10.0f, 0.0f, 20.0f), 1.0f, false, "CameraArrived");
    camera->Update(0.5f);
    EXPECT_NEAR(5.0f, camera->GetPosition().X, 1e-4);
    EXPECT_NEAR(15.0f, camera->GetZ(), 1e-4);
    EXPECT_EQ(0, Deliver(arrived));
    camera->Update(0.6f);
    EXPECT_FLOAT_EQ(10.0f, camera->GetPosition().X);
    EXPECT_FLOAT_EQ(20.0f, camera->GetZ());
    EXPECT_EQ(1, Deliver(arrived));
    ASSERT_EQ(1u, arrived.senders.size());
    EXPECT_EQ(camera, arrived.senders[0]);
    camera->Update(0.5f);
    EXPECT_EQ(0, Deliver(arrived));

    // A glide of no length arrives at the next update; a lock holds it back.
    Actor anchor;
    camera->LockTo(&anchor);
    camera->MoveTo(Vector3(-4.0f, 0.0f, 10.0f), 0.0f, true, "CameraArrived");
    camera->Update(0.0f);
    EXPECT_EQ(0, Deliver(arrived));
    camera->LockTo(0);
    camera->Update(0.0f);
    EXPECT_FLOAT_EQ(-4.0f, camera->GetPosition().X);
    EXPECT_EQ(1, Deliver(arrived));
}

TEST_F(CameraView, WorldResetRestoresTheView)
{
    Camera* camera = Camera::GetInstance();
    camera->SetPosition(Vector3(4.0f, 5.0f, 30.0f));
    World::GetInstance()->ResetWorld();
    EXPECT_EQ(Vector2(0.0f, 0.0f), camera->GetPosition());
    EXPECT_FLOAT_EQ(10.0f, camera->GetZ());
}

TEST_F(CameraView, ADeletedActorIsNoLongerFollowed)
{
    Camera* camera = Camera::GetInstance();
    Actor* ship = new Actor();
    ship->SetPosition(2.0f, 2.0f);
    World::GetInstance()->Add(ship);
    camera->LockTo(ship);
    DrawFrame();
    EXPECT_EQ(Vector2(2.0f, 2.0f), camera->GetPosition());
    ship->Destroy();
    DrawFrame();
    EXPECT_EQ(0, camera->GetLockedActor());
    DrawFrame();
    EXPECT_EQ(Vector2(2.0f, 2.0f), camera->GetPosition());
}

// The camera is the engine's: an unload only takes it off a layer someone put it on, and a
// camera made after the first takes the window's size, so the view keeps its shape.
TEST_F(CameraView, OutlivesAnUnloadAndANewOneFitsTheWindow)
{
    Camera* camera = Camera::GetInstance();
    World::GetInstance()->Add(camera, 0);
    World::GetInstance()->ResetWorld();
    EXPECT_EQ(camera, Camera::GetInstance());
    EXPECT_FALSE(World::GetInstance()->Contains(camera));
    Camera::Destroy();
    Camera::GetInstance()->SetNearClipDist(0.01f);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(1024, viewport[2]);
    EXPECT_EQ(768, viewport[3]);
}
