// Collision messages: what the World sends when physics actors touch, and when.
#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/messaging/Switchboard.h"
#include "engine/physics/PhysicsActor.h"
#include "physics/PhysicsTestSupport.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
class CollisionMessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0);
        // The first tick measures from the World's construction; start the clock afresh.
        World::GetInstance()->Tick(true);
    }

    // One whole tick of the World, about a frame after the last.
    void Tick()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        World::GetInstance()->Tick(true);
    }

    PhysicsActor* Named(PhysicsActor* actor, const String& name)
    {
        actor->SetName(name);
        return actor;
    }

    void Subscribe(const String& name) { Switchboard::GetInstance()->SubscribeTo(&recorder, name); }

    MessageRecorder recorder;
};
}

TEST_F(CollisionMessageTest, StartArrivesOnTheTickAfterTheContactWithThePartnerAsSender)
{
    PhysicsActor* ship = Named(MakeBox(Vector2(0, 0), Vector2(2, 2)), "Ship");
    PhysicsActor* rock = Named(MakeBox(Vector2(1.5f, 0), Vector2(2, 2), 0.0f), "Rock");
    Subscribe("CollisionStartWithShip");
    Subscribe("CollisionStartWithRock");

    // The step of this tick finds the contact; its messages wait for the next delivery.
    Tick();
    EXPECT_TRUE(recorder.Messages.empty());
    Tick();
    ASSERT_EQ(2u, recorder.Messages.size());
    for (size_t i = 0; i < recorder.Messages.size(); ++i)
    {
        const MessageRecorder::Received& received = recorder.Messages[i];
        if (received.Name == "CollisionStartWithShip")
        {
            EXPECT_EQ(static_cast<MessageListener*>(rock), received.Sender);
        }
        else
        {
            EXPECT_EQ("CollisionStartWithRock", received.Name);
            EXPECT_EQ(static_cast<MessageListener*>(ship), received.Sender);
        }
    }
    // A lasting contact is not announced again.
    Tick();
    Tick();
    EXPECT_EQ(2u, recorder.Messages.size());
    delete ship;
    delete rock;
}

TEST_F(CollisionMessageTest, OneMessagePerPartnerPerStepHoweverManyFixturesTouch)
{
    PhysicsActor* ship = Named(MakeBox(Vector2(0, 0), Vector2(2, 2)), "Ship");
    // A second fixture on the same body, also touching the rock.
    b2PolygonShape extra;
    extra.SetAsBox(0.5f, 0.5f, b2Vec2(1.0f, 0.5f), 0.0f);
    ship->GetBody()->CreateFixture(&extra, 1.0f);
    PhysicsActor* rock = Named(MakeBox(Vector2(1.8f, 0), Vector2(2, 2), 0.0f), "Rock");
    PhysicsActor* reef = Named(MakeBox(Vector2(-1.8f, 0), Vector2(2, 2), 0.0f), "Reef");
    Subscribe("CollisionStartWithShip");

    Tick();
    Tick();
    ASSERT_EQ(2, recorder.CountNamed("CollisionStartWithShip"));
    const bool rockFirst = recorder.Messages[0].Sender == static_cast<MessageListener*>(rock);
    EXPECT_EQ(static_cast<MessageListener*>(rockFirst ? reef : rock), recorder.Messages[1].Sender);
    EXPECT_EQ(static_cast<MessageListener*>(rockFirst ? rock : reef), recorder.Messages[0].Sender);
    delete ship;
    delete rock;
    delete reef;
}

TEST_F(CollisionMessageTest, EndIsItsOwnMessage)
{
    PhysicsActor* ship = Named(MakeBox(Vector2(0, 0), Vector2(2, 2)), "Ship");
    PhysicsActor* rock = Named(MakeBox(Vector2(1.5f, 0), Vector2(2, 2), 0.0f), "Rock");
    Subscribe("CollisionEndWithShip");
    Tick();
    Tick();
    EXPECT_TRUE(recorder.Messages.empty());

    // Carry the ship away from the rock.
    ship->GetBody()->SetTransform(b2Vec2(-10.0f, 0.0f), 0.0f);
    Tick();
    Tick();
    ASSERT_EQ(1u, recorder.Messages.size());
    EXPECT_EQ("CollisionEndWithShip", recorder.Messages[0].Name);
    EXPECT_EQ(static_cast<MessageListener*>(rock), recorder.Messages[0].Sender);
    delete ship;
    delete rock;
}

TEST_F(CollisionMessageTest, BodyWithoutAnActorIsAPartnerWithoutASender)
{
    PhysicsActor* ship = Named(MakeBox(Vector2(0, 0), Vector2(2, 2)), "Ship");
    b2BodyDef bare;
    bare.position.Set(1.5f, 0.0f);
    b2PolygonShape box;
    box.SetAsBox(1.0f, 1.0f);
    World::GetInstance()->GetPhysicsWorld()->CreateBody(&bare)->CreateFixture(&box, 0.0f);
    Subscribe("CollisionStartWithShip");
    Tick();
    Tick();
    ASSERT_EQ(1u, recorder.Messages.size());
    EXPECT_EQ(nullptr, recorder.Messages[0].Sender);
    delete ship;
}

TEST_F(CollisionMessageTest, NothingIsSentForNamesNobodyListensTo)
{
    PhysicsActor* ship = Named(MakeBox(Vector2(0, 0), Vector2(2, 2)), "Ship");
    PhysicsActor* rock = Named(MakeBox(Vector2(1.5f, 0), Vector2(2, 2), 0.0f), "Rock");
    Subscribe("CollisionStartWithRock");
    Tick();
    Tick();
    ASSERT_EQ(1u, recorder.Messages.size());
    EXPECT_EQ("CollisionStartWithRock", recorder.Messages[0].Name);
    delete ship;
    delete rock;
}

TEST(CollisionListener, GivenListenerReplacesTheWorldsMessages)
{
    class Counter : public b2ContactListener
    {
    public:
        void BeginContact(b2Contact*) override { ++begun; }
        int begun = 0;
    };
    Counter* counter = new Counter();
    ASSERT_TRUE(World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), counter));
    MessageRecorder recorder;
    Switchboard::GetInstance()->SubscribeTo(&recorder, "CollisionStartWithShip");
    PhysicsActor* ship = MakeBox(Vector2(0, 0), Vector2(2, 2));
    ship->SetName("Ship");
    PhysicsActor* rock = MakeBox(Vector2(1.5f, 0), Vector2(2, 2), 0.0f);
    World::GetInstance()->RunPhysics(1.0f / 60.0f);
    Switchboard::GetInstance()->SendAllMessages();
    EXPECT_EQ(1, counter->begun);
    EXPECT_TRUE(recorder.Messages.empty());
    delete ship;
    delete rock;
}

// The game manager may own the contact listener: bodies deleted after it, their contacts
// still touching, must not report to it.
TEST(CollisionListener, NoContactIsReportedAfterTheGameManagerHasGone)
{
    static bool managerGone;
    static int lateEnds;
    managerGone = false;
    lateEnds = 0;
    struct Manager : GameManager
    {
        ~Manager() override { managerGone = true; }
        void ReceiveMessage(Message*) override {}
    };
    struct Listener : b2ContactListener
    {
        void EndContact(b2Contact*) override { lateEnds += managerGone ? 1 : 0; }
    } static listener;
    World::GetInstance()->SetGameManager(new Manager());
    ASSERT_TRUE(World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), &listener));
    World::GetInstance()->Add(MakeBox(Vector2(0, 0), Vector2(2, 2)));
    World::GetInstance()->Add(MakeBox(Vector2(1.5f, 0), Vector2(2, 2), 0.0f));
    World::GetInstance()->RunPhysics(1.0f / 60.0f);
    ASSERT_EQ(1, World::GetInstance()->GetPhysicsWorld()->GetContactCount());
    World::DestroyInstance();
    EXPECT_TRUE(managerGone);
    EXPECT_EQ(0, lateEnds);
}
