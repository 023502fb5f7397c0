#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "support/TestRenderable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
class StepRecorder : public GameManager
{
public:
    virtual void Update(float dt) { steps.push_back(dt); }
    virtual void ReceiveMessage(Message*) { ++received; }
    std::vector<float> steps;
    int received = 0;
};

void Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
}

TEST(WorldTick, AStallLongerThanASixthOfASecondAdvancesNothing)
{
    World& world = *World::GetInstance();
    TestRenderable* r = new TestRenderable("r");
    world.Add(r, 0);
    world.Tick(true);
    Sleep(20);
    world.Tick(true);
    Sleep(250);
    world.Tick(true);

    ASSERT_EQ(3u, r->updateSteps.size());
    EXPECT_GT(r->updateSteps[1], 0.015f);
    EXPECT_LT(r->updateSteps[1], 0.16666667f);
    EXPECT_EQ(0.0f, r->updateSteps[2]);
    // The measured frame time is still reported.
    EXPECT_GE(world.GetDT(), 0.25f);
    world.UnloadAll();
}

TEST(WorldTick, GameManagerAndMessagesRunWhileTheSimulationIsPaused)
{
    World& world = *World::GetInstance();
    StepRecorder* manager = new StepRecorder();
    world.SetGameManager(manager);
    Switchboard::GetInstance()->SubscribeTo(manager, "Ping");
    TestRenderable* r = new TestRenderable("r");
    world.Add(r, 0);

    world.PauseSimulation();
    Switchboard::GetInstance()->Broadcast(new Message("Ping"));
    Switchboard::GetInstance()->DeferredBroadcast(new Message("Ping"), 0.0f);
    world.Tick(world.IsSimulationOn());
    world.Tick(world.IsSimulationOn());
    EXPECT_EQ(2u, manager->steps.size());
    EXPECT_EQ(1, manager->received);
    EXPECT_TRUE(r->updateSteps.empty());

    world.ResumeSimulation();
    world.Tick(world.IsSimulationOn());  // the delayed message moves to the queue
    world.Tick(world.IsSimulationOn());  // and is delivered here
    EXPECT_EQ(2, manager->received);
    EXPECT_EQ(2u, r->updateSteps.size());
    world.UnloadAll();
}
