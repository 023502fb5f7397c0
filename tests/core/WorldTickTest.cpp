#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/input/ControllerManager.h"
#include "engine/input/InputManager.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "support/FakeGamepadBackend.h"
#include "support/ScratchDirectory.h"
#include "support/TestRenderable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
class StepRecorder : public GameManager
{
public:
    void Update(float dt) override { steps.push_back(dt); }
    void ReceiveMessage(Message*) override { ++received; }
    std::vector<float> steps;
    int received = 0;
};

class NameRecorder : public MessageListener
{
public:
    void ReceiveMessage(Message* message) override { names.push_back(message->GetMessageName()); }
    std::vector<std::string> names;
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

TEST(WorldTick, BothControllersAreReadBeforeTheTicksMessageDelivery)
{
    ScratchDirectory scratch;
    FakeGamepadBackend pads;
    InputManager::Destroy();
    InputManager::GetInstance()->AddBinding("P1BUTTON_Y", "+FirstY");
    InputManager::GetInstance()->AddBinding("P2BUTTON_B", "+SecondB");
    NameRecorder recorder;
    Switchboard::GetInstance()->SubscribeTo(&recorder, "FirstY");
    Switchboard::GetInstance()->SubscribeTo(&recorder, "SecondB");
    pads.Connected[0] = pads.Connected[1] = true;
    ControllerManager::GetInstance()->Setup();
    pads.Pads[0].Buttons = GamepadButtons::Y;
    pads.Pads[1].Buttons = GamepadButtons::B;

    World::GetInstance()->Tick(false);
    EXPECT_EQ(std::vector<std::string>({"FirstY", "SecondB"}), recorder.names);
    World::GetInstance()->Tick(false);
    EXPECT_EQ(2u, recorder.names.size());

    // Leave the shared controllers as start-up without pads would.
    pads.Connected[0] = pads.Connected[1] = false;
    ControllerManager::GetInstance()->Setup();
    Switchboard::GetInstance()->UnsubscribeFrom(&recorder, "FirstY");
    Switchboard::GetInstance()->UnsubscribeFrom(&recorder, "SecondB");
    InputManager::Destroy();
}
