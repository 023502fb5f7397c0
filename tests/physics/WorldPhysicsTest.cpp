// The World's physics: set-up, stepping under pause and resume, waking, and the side
// blockers around the view.
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/physics/PhysicsActor.h"
#include "engine/rendering/Camera.h"
#include "physics/PhysicsTestSupport.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

namespace
{
const float kStep = 1.0f / 60.0f;

void Step(int steps)
{
    for (int i = 0; i < steps; ++i)
    {
        World::GetInstance()->RunPhysics(kStep);
    }
}

// The enabled static bodies: the side blockers.
std::vector<b2Body*> StaticBodies()
{
    std::vector<b2Body*> bodies;
    for (b2Body* body = World::GetInstance()->GetPhysicsWorld()->GetBodyList(); body != 0;
         body = body->GetNext())
    {
        if (body->GetType() == b2_staticBody && body->IsEnabled())
        {
            bodies.push_back(body);
        }
    }
    return bodies;
}
}

TEST(WorldPhysics, PauseAndResumeBeforeSetUpWarn)
{
    CapturingLog& log = CaptureSystemLog();
    World* world = World::GetInstance();
    EXPECT_FALSE(world->IsPhysicsSetUp());
    EXPECT_FALSE(world->PausePhysics());
    EXPECT_FALSE(world->ResumePhysics());
    EXPECT_EQ(1, CountLines(log, "WARNING: Attempted to pause physics, but physics haven't been set up yet."));
    EXPECT_EQ(1, CountLines(log, "WARNING: Attempted to resume physics, but physics haven't been set up yet."));
    // Stepping without a physics world does nothing at all.
    world->RunPhysics(kStep);
}

TEST(WorldPhysics, SecondSetUpIsRefusedAndChangesNothing)
{
    World* world = World::GetInstance();
    ASSERT_TRUE(world->SetupPhysics(Vector2(0.0f, -10.0f), 0));
    b2World* first = world->GetPhysicsWorld();
    EXPECT_FALSE(world->SetupPhysics(Vector2(3.0f, 3.0f), 0));
    EXPECT_EQ(first, world->GetPhysicsWorld());
    EXPECT_FLOAT_EQ(-10.0f, first->GetGravity().y);
    EXPECT_TRUE(world->IsPhysicsRunning());
}

TEST(WorldPhysics, PausedPhysicsHoldBodiesWhileActorsStillUpdate)
{
    World* world = World::GetInstance();
    world->SetupPhysics(Vector2(0.0f, -10.0f), 0);
    PhysicsActor* falling = MakeBox(Vector2(0, 0), Vector2(1, 1));
    Step(10);
    const Vector2 before = falling->GetPosition();
    EXPECT_LT(before.Y, 0.0f);

    ASSERT_TRUE(world->PausePhysics());
    Step(30);
    EXPECT_EQ(before, falling->GetPosition());
    EXPECT_FLOAT_EQ(before.Y, falling->GetBody()->GetPosition().y);
    // The actor itself still updates: its colour change runs on.
    falling->ChangeColorTo(Color(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    falling->Update(kStep);
    EXPECT_EQ(Color(0.0f, 0.0f, 0.0f, 1.0f), falling->GetColor());

    ASSERT_TRUE(world->ResumePhysics());
    Step(10);
    EXPECT_LT(falling->GetPosition().Y, before.Y);
    delete falling;
}

TEST(WorldPhysics, PausedSimulationSkipsTheStep)
{
    World* world = World::GetInstance();
    world->SetupPhysics(Vector2(0.0f, -10.0f), 0);
    PhysicsActor* falling = MakeBox(Vector2(0, 0), Vector2(1, 1));
    world->Tick(false);
    for (int i = 0; i < 5; ++i)
    {
        world->Tick(false);
    }
    EXPECT_FLOAT_EQ(0.0f, falling->GetBody()->GetPosition().y);
    delete falling;
}

TEST(SideBlockers, SurroundTheViewAndAreRebuiltWithoutLeaks)
{
    World* world = World::GetInstance();
    ASSERT_TRUE(world->Initialize("Zarvo Engine", false, false, false));
    world->SetupPhysics(Vector2(0.0f, 0.0f), 0);
    world->CreateSideBlockers(0.5f);
    ASSERT_EQ(4u, StaticBodies().size());

    Camera* camera = Camera::GetInstance();
    const Vector2 topRight = camera->GetWorldMaxVertex();
    const Vector2 bottomLeft = camera->GetWorldMinVertex();
    float highest = -1e9f;
    for (b2Body* body : StaticBodies())
    {
        highest = std::max(highest, body->GetPosition().y);
        const b2Fixture* fixture = body->GetFixtureList();
        EXPECT_FLOAT_EQ(0.5f, fixture->GetRestitution());
        EXPECT_FLOAT_EQ(0.1f, fixture->GetFriction());
        PhysicsActor* blocker = reinterpret_cast<PhysicsActor*>(body->GetUserData().pointer);
        EXPECT_TRUE(blocker->IsTagged("NoDelete"));
    }
    EXPECT_NEAR(topRight.Y + 2.5f, highest, 1e-3f);
    EXPECT_GT(topRight.X, bottomLeft.X);

    // The camera moves: new blockers around the new view, the old ones gone with their bodies.
    camera->SetPosition(Vector2(100.0f, 0.0f));
    Switchboard::GetInstance()->SendAllMessages();
    world->Tick(true);
    world->Tick(true);
    EXPECT_EQ(4, CountBodies());
    float leftmost = 1e9f;
    for (b2Body* body : StaticBodies())
    {
        leftmost = std::min(leftmost, body->GetPosition().x);
        // The restitution given first is kept.
        EXPECT_FLOAT_EQ(0.5f, body->GetFixtureList()->GetRestitution());
    }
    EXPECT_NEAR(camera->GetWorldMinVertex().X - 2.5f, leftmost, 1e-3f);

    // The old blockers are no longer on any layer either.
    int onLayers = 0;
    for (RenderLayers::const_iterator it = world->GetLayers().begin(); it != world->GetLayers().end(); ++it)
    {
        onLayers += (int)it->second.size();
    }
    EXPECT_EQ(4, onLayers);
}

TEST(SideBlockers, WithoutPhysicsWarnAndBuildNothing)
{
    CapturingLog& log = CaptureSystemLog();
    World::GetInstance()->CreateSideBlockers(0.0f);
    EXPECT_EQ(1, CountLines(log, "WARNING: "));
    EXPECT_TRUE(World::GetInstance()->GetLayers().empty() ||
                World::GetInstance()->GetLayers().begin()->second.empty());
}
