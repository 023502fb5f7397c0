// Physics actors: body set-up, settings before and after it, forces, and the copy back
// from the body.
#include "engine/core/World.h"
#include "engine/physics/PhysicsActor.h"
#include "physics/PhysicsTestSupport.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
const float kStep = 1.0f / 60.0f;

class PhysicsActorTest : public ::testing::Test
{
protected:
    void SetUp() override { World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0); }
    void Step(int steps = 1)
    {
        for (int i = 0; i < steps; ++i)
        {
            World::GetInstance()->RunPhysics(kStep);
        }
    }
};
}

TEST_F(PhysicsActorTest, DensityBelowTheThresholdMakesAStaticBody)
{
    PhysicsActor* none = MakeBox(Vector2(0, 0), Vector2(1, 1), 0.0f);
    PhysicsActor* tiny = MakeBox(Vector2(5, 0), Vector2(1, 1), 1e-7f);
    PhysicsActor* enough = MakeBox(Vector2(10, 0), Vector2(1, 1), 1e-6f);
    PhysicsActor* negative = MakeBox(Vector2(15, 0), Vector2(1, 1), -2.0f);
    EXPECT_EQ(b2_staticBody, none->GetBody()->GetType());
    EXPECT_EQ(b2_staticBody, tiny->GetBody()->GetType());
    EXPECT_EQ(b2_dynamicBody, enough->GetBody()->GetType());
    // The magnitude counts, as for any density.
    EXPECT_EQ(b2_dynamicBody, negative->GetBody()->GetType());
    delete none;
    delete tiny;
    delete enough;
    delete negative;
}

TEST_F(PhysicsActorTest, BodyTakesTheActorsSettings)
{
    PhysicsActor actor;
    actor.SetPosition(3.0f, -2.0f);
    actor.SetRotation(90.0f);
    actor.SetSize(2.0f, 6.0f);
    actor.SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    actor.SetFriction(0.7f);
    actor.SetRestitution(0.4f);
    actor.SetIsSensor(true);
    actor.SetGroupIndex(-3);
    actor.SetFixedRotation(true);
    actor.InitPhysics();

    b2Body* body = actor.GetBody();
    ASSERT_NE(nullptr, body);
    EXPECT_EQ(&actor, reinterpret_cast<PhysicsActor*>(body->GetUserData().pointer));
    EXPECT_FLOAT_EQ(3.0f, body->GetPosition().x);
    EXPECT_FLOAT_EQ(-2.0f, body->GetPosition().y);
    EXPECT_NEAR(b2_pi / 2.0f, body->GetAngle(), 1e-6f);
    EXPECT_TRUE(body->IsFixedRotation());
    b2Fixture* fixture = body->GetFixtureList();
    ASSERT_EQ(b2Shape::e_circle, fixture->GetType());
    // The width gives the radius; the height is not used.
    EXPECT_FLOAT_EQ(1.0f, fixture->GetShape()->m_radius);
    EXPECT_FLOAT_EQ(0.7f, fixture->GetFriction());
    EXPECT_FLOAT_EQ(0.4f, fixture->GetRestitution());
    EXPECT_TRUE(fixture->IsSensor());
    EXPECT_EQ(-3, fixture->GetFilterData().groupIndex);
    EXPECT_EQ(0x0001, fixture->GetFilterData().categoryBits);
    EXPECT_EQ(0xFFFF, fixture->GetFilterData().maskBits);
}

TEST_F(PhysicsActorTest, FixtureSettingsReachTheBodyAfterInit)
{
    PhysicsActor actor;
    actor.InitPhysics();
    actor.SetFriction(0.9f);
    actor.SetRestitution(0.5f);
    actor.SetIsSensor(true);
    actor.SetDensity(3.0f);
    actor.SetFixedRotation(true);
    b2Fixture* fixture = actor.GetBody()->GetFixtureList();
    EXPECT_FLOAT_EQ(0.9f, fixture->GetFriction());
    EXPECT_FLOAT_EQ(0.5f, fixture->GetRestitution());
    EXPECT_TRUE(fixture->IsSensor());
    EXPECT_FLOAT_EQ(3.0f, fixture->GetDensity());
    EXPECT_TRUE(actor.GetBody()->IsFixedRotation());
}

TEST_F(PhysicsActorTest, PlacementAndShapeAreFixedOnceTheBodyExists)
{
    CapturingLog& log = CaptureSystemLog();
    PhysicsActor* actor = MakeBox(Vector2(1, 1), Vector2(1, 1));
    actor->GetBody()->SetLinearVelocity(b2Vec2(6.0f, 0.0f));
    actor->SetPosition(50.0f, 50.0f);
    actor->SetRotation(45.0f);
    actor->SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    actor->SetGroupIndex(2);
    EXPECT_EQ(1, CountLines(log, "WARNING: SetPosition() had no effect; don't change an actor after"));
    EXPECT_EQ(1, CountLines(log, "WARNING: SetRotation() had no effect"));
    EXPECT_EQ(1, CountLines(log, "WARNING: SetShapeType() had no effect"));
    EXPECT_EQ(1, CountLines(log, "WARNING: SetGroupIndex() had no effect"));
    EXPECT_EQ(PhysicsActor::SHAPETYPE_BOX, actor->GetShapeType());
    EXPECT_EQ(0, actor->GetGroupIndex());

    // Timed changes would fight the body, so they are ignored.
    actor->MoveTo(Vector2(-30, -30), 0.0f, false, "Arrived");
    actor->Update(kStep);
    EXPECT_FALSE(actor->IsMoving());

    Step(60);
    EXPECT_NEAR(7.0f, actor->GetPosition().X, 0.01f);
    EXPECT_NEAR(1.0f, actor->GetPosition().Y, 0.01f);
    delete actor;
}

TEST_F(PhysicsActorTest, SizeAfterInitChangesOnlyTheDrawing)
{
    PhysicsActor actor;
    actor.SetSize(2.0f);
    actor.InitPhysics();
    actor.SetSize(6.0f, 1.0f);
    EXPECT_EQ(Vector2(6.0f, 1.0f), actor.GetSize());
    actor.SetDrawSize(3.0f);
    EXPECT_EQ(Vector2(3.0f, 3.0f), actor.GetSize());
    const b2PolygonShape* box = static_cast<const b2PolygonShape*>(actor.GetBody()->GetFixtureList()->GetShape());
    EXPECT_FLOAT_EQ(1.0f, std::fabs(box->m_vertices[0].x));
    EXPECT_FLOAT_EQ(1.0f, std::fabs(box->m_vertices[0].y));
}

TEST_F(PhysicsActorTest, RotationFromTheBodyWrapsIntoHalfTurns)
{
    PhysicsActor actor;
    actor.SyncFromBody(1.0f, 2.0f, 190.0f);
    EXPECT_FLOAT_EQ(-170.0f, actor.GetRotation());
    EXPECT_EQ(Vector2(1.0f, 2.0f), actor.GetPosition());
    actor.SyncFromBody(0.0f, 0.0f, -540.0f);
    EXPECT_FLOAT_EQ(-180.0f, actor.GetRotation());
    actor.SyncFromBody(0.0f, 0.0f, 180.0f);
    EXPECT_FLOAT_EQ(180.0f, actor.GetRotation());
    actor.SyncFromBody(0.0f, 0.0f, 725.0f);
    EXPECT_FLOAT_EQ(5.0f, actor.GetRotation());
    // A body that has spun for a long time must not stall the copy.
    actor.SyncFromBody(0.0f, 0.0f, 3.6e12f);
    EXPECT_LE(std::fabs(actor.GetRotation()), 180.0f);

    // Through a real step: a body turned to 190 degrees shows -170.
    PhysicsActor* turned = MakeBox(Vector2(0, 0), Vector2(1, 1), 0.0f);
    turned->GetBody()->SetTransform(b2Vec2(4.0f, 5.0f), 190.0f * b2_pi / 180.0f);
    Step();
    EXPECT_NEAR(-170.0f, turned->GetRotation(), 1e-3f);
    EXPECT_EQ(Vector2(4.0f, 5.0f), turned->GetPosition());
    delete turned;
}

TEST_F(PhysicsActorTest, ForcesAndImpulsesMoveDynamicBodies)
{
    PhysicsActor* pushed = MakeBox(Vector2(0, 0), Vector2(1, 1));
    PhysicsActor* kicked = MakeBox(Vector2(0, 10), Vector2(1, 1));
    PhysicsActor* twisted = MakeBox(Vector2(0, 20), Vector2(1, 1));
    PhysicsActor* spun = MakeBox(Vector2(0, 30), Vector2(1, 1));
    PhysicsActor* wall = MakeBox(Vector2(0, 40), Vector2(1, 1), 0.0f);

    // Mass 1: one second of 2 N gives 2 m/s.
    for (int i = 0; i < 60; ++i)
    {
        pushed->ApplyForce(Vector2(2.0f, 0.0f), Vector2::Zero);
        twisted->ApplyTorque(1.0f);
        Step();
    }
    EXPECT_NEAR(2.0f, pushed->GetBody()->GetLinearVelocity().x, 1e-3f);
    EXPECT_GT(pushed->GetPosition().X, 0.9f);
    EXPECT_GT(twisted->GetBody()->GetAngularVelocity(), 0.0f);
    EXPECT_NE(0.0f, twisted->GetRotation());

    kicked->ApplyLinearImpulse(Vector2(0.0f, 3.0f), Vector2::Zero);
    EXPECT_NEAR(3.0f, kicked->GetBody()->GetLinearVelocity().y, 1e-5f);
    // Off the centre, an impulse turns the body as well.
    kicked->ApplyLinearImpulse(Vector2(0.0f, 1.0f), Vector2(0.5f, 0.0f));
    EXPECT_GT(kicked->GetBody()->GetAngularVelocity(), 0.0f);

    spun->ApplyAngularImpulse(2.0f);
    const float expected = spun->GetBody()->GetInertia() > 0.0f ? 2.0f / spun->GetBody()->GetInertia() : 0.0f;
    EXPECT_NEAR(expected, spun->GetBody()->GetAngularVelocity(), 1e-4f);

    wall->ApplyLinearImpulse(Vector2(5.0f, 5.0f), Vector2::Zero);
    wall->ApplyForce(Vector2(5.0f, 5.0f), Vector2::Zero);
    Step(10);
    EXPECT_EQ(Vector2(0.0f, 40.0f), wall->GetPosition());
}

TEST_F(PhysicsActorTest, LocalForceTurnsWithTheBody)
{
    PhysicsActor actor;
    actor.SetRotation(90.0f);
    actor.InitPhysics();
    actor.ApplyLocalForce(Vector2(10.0f, 0.0f), Vector2::Zero);
    Step();
    const b2Vec2 velocity = actor.GetBody()->GetLinearVelocity();
    EXPECT_NEAR(0.0f, velocity.x, 1e-4f);
    EXPECT_GT(velocity.y, 0.1f);
}

TEST_F(PhysicsActorTest, ForcesWithoutABodyWarnAndDoNothing)
{
    CapturingLog& log = CaptureSystemLog();
    PhysicsActor actor;
    actor.ApplyForce(Vector2::UnitX, Vector2::Zero);
    actor.ApplyLocalForce(Vector2::UnitX, Vector2::Zero);
    actor.ApplyTorque(1.0f);
    actor.ApplyLinearImpulse(Vector2::UnitX, Vector2::Zero);
    actor.ApplyAngularImpulse(1.0f);
    const char* calls[] = {"ApplyForce()", "ApplyLocalForce()", "ApplyTorque()", "ApplyLinearImpulse()",
                           "ApplyAngularImpulse()"};
    for (const char* call : calls)
    {
        EXPECT_EQ(1, CountLines(log, std::string("WARNING: ") + call +
                                         " had no effect; this actor's physics were not initialized."))
            << call;
    }
}

TEST_F(PhysicsActorTest, SecondInitReplacesTheBody)
{
    PhysicsActor* actor = MakeBox(Vector2(2, 2), Vector2(1, 1));
    actor->InitPhysics();
    EXPECT_EQ(1, CountBodies());
    ASSERT_NE(nullptr, actor->GetBody());
    EXPECT_EQ(actor, reinterpret_cast<PhysicsActor*>(actor->GetBody()->GetUserData().pointer));
    delete actor;
    EXPECT_EQ(0, CountBodies());
}

TEST_F(PhysicsActorTest, DeletingAnActorWithoutABodyIsSafe)
{
    PhysicsActor* unbuilt = new PhysicsActor();
    delete unbuilt;
    PhysicsActor* built = MakeBox(Vector2(0, 0), Vector2(1, 1));
    EXPECT_EQ(1, CountBodies());
    delete built;
    EXPECT_EQ(0, CountBodies());
}

TEST_F(PhysicsActorTest, PolygonWithTooFewOrTooManyCornersCreatesNothing)
{
    CapturingLog& log = CaptureSystemLog();
    PhysicsActor twoCorners;
    twoCorners.SetShapeType(PhysicsActor::SHAPETYPE_POLYGON);
    twoCorners.InitPhysics();
    EXPECT_EQ(nullptr, twoCorners.GetBody());

    std::vector<Vector2> nine;
    for (int i = 0; i < 9; ++i)
    {
        nine.push_back(Vector2(std::cos(i * 0.698f), std::sin(i * 0.698f)));
    }
    PhysicsActor nineCorners;
    nineCorners.SetShapeType(PhysicsActor::SHAPETYPE_POLYGON);
    nineCorners.SetPolygonVertices(nine);
    EXPECT_TRUE(nineCorners.GetPolygonVertices().empty());
    nineCorners.InitPhysics();
    EXPECT_EQ(nullptr, nineCorners.GetBody());
    EXPECT_EQ(0, CountBodies());
    EXPECT_EQ(3, CountLines(log, "ERROR: ", "vertices"));
}

TEST_F(PhysicsActorTest, PolygonCornersCanBeReplacedAfterInit)
{
    std::vector<Vector2> triangle;
    triangle.push_back(Vector2(0, 0));
    triangle.push_back(Vector2(1, 0));
    triangle.push_back(Vector2(0, 1));
    PhysicsActor actor;
    actor.SetShapeType(PhysicsActor::SHAPETYPE_POLYGON);
    actor.SetPolygonVertices(triangle);
    actor.InitPhysics();
    const b2PolygonShape* shape =
        static_cast<const b2PolygonShape*>(actor.GetBody()->GetFixtureList()->GetShape());
    EXPECT_EQ(3, shape->m_count);

    std::vector<Vector2> square;
    square.push_back(Vector2(-1, -1));
    square.push_back(Vector2(1, -1));
    square.push_back(Vector2(1, 1));
    square.push_back(Vector2(-1, 1));
    actor.SetPolygonVertices(square);
    EXPECT_EQ(4, shape->m_count);

    CapturingLog& log = CaptureSystemLog();
    actor.SetPolygonVertices(std::vector<Vector2>(2, Vector2::One));
    EXPECT_EQ(4, shape->m_count);
    EXPECT_EQ(1, CountLines(log, "ERROR: "));
}

TEST(PhysicsActorWithoutWorldPhysics, InitLogsAnErrorAndMakesNoBody)
{
    CapturingLog& log = CaptureSystemLog();
    PhysicsActor actor;
    actor.InitPhysics();
    EXPECT_EQ(nullptr, actor.GetBody());
    EXPECT_EQ(1, CountLines(log, "ERROR: World physics must be initialized before Actor's."));
}

TEST_F(PhysicsActorTest, InvalidShapeTypeLogsAnError)
{
    CapturingLog& log = CaptureSystemLog();
    PhysicsActor actor;
    actor.SetShapeType((PhysicsActor::eShapeType)7);
    actor.InitPhysics();
    EXPECT_EQ(nullptr, actor.GetBody());
    EXPECT_EQ(1, CountLines(log, "ERROR: Invalid shape type given."));
}
