// Reading a controller: connection, dead zones, triggers, buttons and vibration.
#include "engine/input/Controller.h"
#include "engine/input/ControllerManager.h"
#include "engine/input/InputManager.h"
#include "engine/log/CompoundLog.h"
#include "engine/platform/GlfwGamepadBackend.h"
#include "support/CapturingLog.h"
#include "support/FakeGamepadBackend.h"
#include "support/ScratchDirectory.h"

#include "support/SystemLogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class ControllerTest : public ::testing::Test
{
protected:
    void SetUp() override { SystemLogCapture().Lines.clear(); }
    void TearDown() override { InputManager::Destroy(); }

    std::vector<String>& LogLines() { return SystemLogCapture().Lines; }

    // A controller that found its pad at set-up and has read it once.
    Controller& Connected(Controller& controller, const GamepadState& state)
    {
        pads.Connected[controller.GetControllerID()] = true;
        pads.Pads[controller.GetControllerID()] = state;
        controller.Setup();
        controller.UpdateState();
        return controller;
    }

    static GamepadState Sticks(int16_t lx, int16_t ly, int16_t rx, int16_t ry)
    {
        GamepadState state = GamepadState();
        state.LeftThumbX = lx;
        state.LeftThumbY = ly;
        state.RightThumbX = rx;
        state.RightThumbY = ry;
        return state;
    }

    ScratchDirectory scratch;
    FakeGamepadBackend pads;
};
}

TEST_F(ControllerTest, ANewControllerIsDisconnectedAndStill)
{
    Controller controller(1);
    EXPECT_EQ(1, controller.GetControllerID());
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_EQ(0u, controller.GetLeftVibration());
    EXPECT_EQ(0u, controller.GetRightVibration());
    EXPECT_EQ(Vec2i(0, 0), controller.GetLeftThumbstick());
    EXPECT_EQ(0u, controller.GetState().Buttons);
}

TEST_F(ControllerTest, SetupReportsWhetherThePadAnswersNumberingFromOne)
{
    pads.Connected[0] = true;
    Controller first(0);
    Controller second(1);
    first.Setup();
    second.Setup();

    EXPECT_TRUE(first.IsConnected());
    EXPECT_FALSE(second.IsConnected());
    EXPECT_EQ(std::vector<String>({"Controller 1 connected!", "Controller 2 not present..."}), LogLines());
}

TEST_F(ControllerTest, SetupLeavesTheInputUndecodedUntilTheFirstUpdate)
{
    pads.Connected[0] = true;
    pads.Pads[0] = Sticks(20000, -20000, 0, 0);
    pads.Pads[0].Buttons = GamepadButtons::A;
    Controller controller(0);
    controller.Setup();
    EXPECT_EQ(Vec2i(0, 0), controller.GetLeftThumbstick());
    EXPECT_FALSE(controller.IsAButtonDown());

    controller.UpdateState();
    EXPECT_EQ(Vec2i(20000, -20000), controller.GetLeftThumbstick());
    EXPECT_TRUE(controller.IsAButtonDown());
}

TEST_F(ControllerTest, AnAbsentControllerIsNeverReadAgain)
{
    Controller controller(0);
    controller.Setup();
    const int readsAtSetup = pads.Reads;

    pads.Connected[0] = true;
    pads.Pads[0].Buttons = GamepadButtons::A;
    controller.UpdateState();
    controller.UpdateState();

    EXPECT_EQ(readsAtSetup, pads.Reads);
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_FALSE(controller.IsAButtonDown());
}

TEST_F(ControllerTest, ALostControllerIsReportedOnceAndReadsZeroes)
{
    GamepadState state = Sticks(30000, 30000, -30000, -30000);
    state.Buttons = GamepadButtons::A | GamepadButtons::Start;
    state.LeftTrigger = 200;
    Controller& controller = Connected(*new Controller(1), state);
    ASSERT_TRUE(controller.IsAButtonDown());
    LogLines().clear();

    pads.Connected[1] = false;
    controller.UpdateState();
    controller.UpdateState();

    EXPECT_EQ(std::vector<String>({"Uh oh, we lost controller 2..."}), LogLines());
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_EQ(Vec2i(0, 0), controller.GetLeftThumbstick());
    EXPECT_EQ(Vec2i(0, 0), controller.GetRightThumbstick());
    EXPECT_EQ(0, controller.GetLeftTrigger());
    EXPECT_FALSE(controller.IsAButtonDown());

    // Plugging it back in needs a new set-up.
    pads.Connected[1] = true;
    controller.UpdateState();
    EXPECT_FALSE(controller.IsConnected());
    controller.Setup();
    controller.UpdateState();
    EXPECT_TRUE(controller.IsAButtonDown());
    delete &controller;
}

TEST_F(ControllerTest, LeftStickDeadZoneIsASquare)
{
    Controller controller(0);
    EXPECT_EQ(Vec2i(0, 0), Connected(controller, Sticks(7848, -7848, 0, 0)).GetLeftThumbstick());
    EXPECT_EQ(Vec2i(7849, 0), Connected(controller, Sticks(7849, 0, 0, 0)).GetLeftThumbstick());
    EXPECT_EQ(Vec2i(0, -7849), Connected(controller, Sticks(0, -7849, 0, 0)).GetLeftThumbstick());
    // The small axis keeps its value when the other lies outside.
    EXPECT_EQ(Vec2i(100, 9000), Connected(controller, Sticks(100, 9000, 0, 0)).GetLeftThumbstick());
    EXPECT_EQ(Vec2i(-32768, 32767), Connected(controller, Sticks(-32768, 32767, 0, 0)).GetLeftThumbstick());
}

TEST_F(ControllerTest, RightStickHasAWiderDeadZone)
{
    Controller controller(0);
    EXPECT_EQ(Vec2i(0, 0), Connected(controller, Sticks(0, 0, 8688, -8688)).GetRightThumbstick());
    EXPECT_EQ(Vec2i(8689, 5), Connected(controller, Sticks(0, 0, 8689, 5)).GetRightThumbstick());
    EXPECT_EQ(Vec2i(-8689, -8688), Connected(controller, Sticks(0, 0, -8689, -8688)).GetRightThumbstick());
    // A left-stick-sized push still counts as centred on the right stick.
    EXPECT_EQ(Vec2i(0, 0), Connected(controller, Sticks(8000, 0, 8000, 0)).GetRightThumbstick());
    EXPECT_EQ(Vec2i(8000, 0), controller.GetLeftThumbstick());
}

TEST_F(ControllerTest, VectorSticksDivideBy32768WithoutRescalingTheDeadZone)
{
    Controller controller(0);
    Connected(controller, Sticks(-32768, 16384, 32767, 9000));
    EXPECT_FLOAT_EQ(-1.0f, controller.GetLeftThumbVec2().X);
    EXPECT_FLOAT_EQ(0.5f, controller.GetLeftThumbVec2().Y);
    EXPECT_FLOAT_EQ(32767.0f / 32768.0f, controller.GetRightThumbVec2().X);
    EXPECT_FLOAT_EQ(9000.0f / 32768.0f, controller.GetRightThumbVec2().Y);
    EXPECT_EQ(-32768, controller.GetState().LeftThumbstickX);
}

TEST_F(ControllerTest, TriggersArePressedAbove30)
{
    GamepadState state = GamepadState();
    state.LeftTrigger = 30;
    state.RightTrigger = 31;
    Controller controller(0);
    Connected(controller, state);
    EXPECT_EQ(30, controller.GetLeftTrigger());
    EXPECT_EQ(31, controller.GetRightTrigger());
    EXPECT_FALSE(controller.IsLeftTriggerPressed());
    EXPECT_TRUE(controller.IsRightTriggerPressed());
}

TEST_F(ControllerTest, EachButtonTestReadsItsOwnBit)
{
    struct Row
    {
        uint16_t Bit;
        bool (Controller::*Test)() const;
    };
    const Row rows[] = {{0x0010, &Controller::IsStartButtonDown},
                        {0x0020, &Controller::IsBackButtonDown},
                        {0x0040, &Controller::IsLeftThumbstickButtonDown},
                        {0x0080, &Controller::IsRightThumbstickButtonDown},
                        {0x0100, &Controller::IsLeftBumperDown},
                        {0x0200, &Controller::IsRightBumperDown},
                        {0x1000, &Controller::IsAButtonDown},
                        {0x2000, &Controller::IsBButtonDown},
                        {0x4000, &Controller::IsXButtonDown},
                        {0x8000, &Controller::IsYButtonDown}};
    Controller controller(0);
    for (const Row& row : rows)
    {
        GamepadState state = GamepadState();
        state.Buttons = row.Bit;
        Connected(controller, state);
        int down = 0;
        for (const Row& other : rows)
        {
            down += (controller.*other.Test)() ? 1 : 0;
        }
        EXPECT_TRUE((controller.*row.Test)()) << row.Bit;
        EXPECT_EQ(1, down) << row.Bit;
    }
}

TEST_F(ControllerTest, DirectionPadIsKeptInTheMaskOnly)
{
    GamepadState state = GamepadState();
    state.Buttons = GamepadButtons::DPadUp | GamepadButtons::DPadRight;
    Controller controller(0);
    Connected(controller, state);
    EXPECT_EQ(0x0009u, controller.GetState().Buttons);
    EXPECT_TRUE(controller.IsButtonDown(0x0001 | 0x4000));
    EXPECT_FALSE(controller.IsButtonDown(0x0002));
    EXPECT_FALSE(controller.IsAButtonDown());
}

TEST_F(ControllerTest, VibrationScalesClampsAndKeepsTheOtherMotor)
{
    Controller controller(1);
    controller.SetRightVibrationRaw(1234);
    controller.SetLeftVibration(300);
    EXPECT_EQ(65535u, controller.GetLeftVibration());
    controller.SetLeftVibration(255);
    EXPECT_EQ(65535u, controller.GetLeftVibration());
    controller.SetLeftVibration(254);
    EXPECT_EQ(65024u, controller.GetLeftVibration());
    controller.SetLeftVibration(-5);
    EXPECT_EQ(0u, controller.GetLeftVibration());
    controller.SetRightVibration(1);
    EXPECT_EQ(256u, controller.GetRightVibration());

    ASSERT_EQ(6u, pads.Vibrations.size());
    for (const FakeGamepadBackend::VibrationCall& call : pads.Vibrations)
    {
        EXPECT_EQ(1, call.UserIndex);
    }
    EXPECT_EQ(1234, pads.Vibrations[1].Right);
    EXPECT_EQ(65535, pads.Vibrations[1].Left);
    EXPECT_EQ(65024, pads.Vibrations[3].Left);
    EXPECT_EQ(0, pads.Vibrations[5].Left);
    EXPECT_EQ(256, pads.Vibrations[5].Right);
}

TEST_F(ControllerTest, RawSpeedsAboveSixteenBitsAreClampedNotWrapped)
{
    Controller controller(0);
    controller.SetLeftVibrationRaw(70000);
    controller.SetRightVibrationRaw(65536);
    EXPECT_EQ(65535u, controller.GetLeftVibration());
    EXPECT_EQ(65535, pads.Vibrations.back().Left);
    EXPECT_EQ(65535, pads.Vibrations.back().Right);
}

TEST_F(ControllerTest, VibrationIsSentWithoutAPadAndReturnsTheResult)
{
    Controller controller(0);
    EXPECT_EQ(kGamepadNotConnected, controller.SetLeftVibrationRaw(500));
    EXPECT_EQ(500u, controller.GetLeftVibration());
    pads.Connected[0] = true;
    EXPECT_EQ(kGamepadSuccess, controller.SetRightVibrationRaw(7));
    ASSERT_EQ(2u, pads.Vibrations.size());
    EXPECT_EQ(500, pads.Vibrations[1].Left);
    EXPECT_EQ(7, pads.Vibrations[1].Right);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(ControllerTest, ManagerHoldsControllersZeroAndOne)
{
    ControllerManager* manager = ControllerManager::GetInstance();
    EXPECT_EQ(manager, ControllerManager::GetInstance());
    ASSERT_NE(nullptr, manager->GetController(0));
    ASSERT_NE(nullptr, manager->GetController(1));
    EXPECT_EQ(0, manager->GetController(0)->GetControllerID());
    EXPECT_EQ(1, manager->GetController(1)->GetControllerID());
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(nullptr, manager->GetController(2));
    EXPECT_EQ(nullptr, manager->GetController(-1));
    EXPECT_EQ(std::vector<String>({"ERROR: Bad controller index.", "ERROR: Bad controller index."}), LogLines());
}

TEST_F(ControllerTest, ManagerSetsUpAndUpdatesControllerZeroThenOne)
{
    pads.Connected[0] = pads.Connected[1] = true;
    pads.Pads[1].Buttons = GamepadButtons::B;
    ControllerManager* manager = ControllerManager::GetInstance();
    manager->Setup();
    manager->UpdateState();

    EXPECT_EQ(std::vector<String>({"Controller 1 connected!", "Controller 2 connected!"}), LogLines());
    EXPECT_FALSE(manager->GetController(0)->IsBButtonDown());
    EXPECT_TRUE(manager->GetController(1)->IsBButtonDown());

    // Leave the shared controllers as start-up without pads would.
    pads.Connected[0] = pads.Connected[1] = false;
    manager->Setup();
}

TEST(GlfwGamepadBackendTest, AxesMapOntoTheSigned16BitAndTriggerRanges)
{
    EXPECT_EQ(-32768, GlfwGamepadBackend::StickAxis(-1.0f));
    EXPECT_EQ(32767, GlfwGamepadBackend::StickAxis(1.0f));
    EXPECT_EQ(0, GlfwGamepadBackend::StickAxis(0.0f));
    EXPECT_EQ(16384, GlfwGamepadBackend::StickAxis(0.5f));
    EXPECT_EQ(-16384, GlfwGamepadBackend::StickAxis(-0.5f));
    EXPECT_EQ(32767, GlfwGamepadBackend::StickAxis(1.5f));
    EXPECT_EQ(0, GlfwGamepadBackend::TriggerAxis(-1.0f));
    EXPECT_EQ(255, GlfwGamepadBackend::TriggerAxis(1.0f));
    EXPECT_EQ(128, GlfwGamepadBackend::TriggerAxis(0.0f));
    EXPECT_EQ(0, GlfwGamepadBackend::TriggerAxis(-3.0f));
}

TEST(GlfwGamepadBackendTest, NoPadMeansNotConnected)
{
    GlfwGamepadBackend backend;
    GamepadState state = GamepadState();
    EXPECT_EQ(kGamepadNotConnected, backend.ReadState(-1, state));
    EXPECT_EQ(kGamepadNotConnected, backend.ReadState(99, state));
    EXPECT_EQ(kGamepadNotConnected, backend.SetVibration(99, 1, 1));
}
