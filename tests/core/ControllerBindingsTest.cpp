// Controller buttons sending their bindings' messages on press and release.
#include "engine/input/Controller.h"
#include "engine/input/InputManager.h"
#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/util/FileUtil.h"
#include "support/CapturingLog.h"
#include "support/FakeGamepadBackend.h"
#include "support/ScratchDirectory.h"

#include "support/SystemLogCapture.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char* const kEndings[] = {"A", "B", "X", "Y", "START", "BACK", "LEFTTHUMB", "RIGHTTHUMB",
                                "LEFTTRIGGER", "RIGHTTRIGGER", "LEFTBUMPER", "RIGHTBUMPER"};

class ControllerBindingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SystemLogCapture().Lines.clear();
        InputManager::Destroy();
    }
    void TearDown() override
    {
        for (const std::string& name : subscribed)
        {
            Switchboard::GetInstance()->UnsubscribeFrom(&recorder, name);
        }
        InputManager::Destroy();
    }

    // Binds every button of both controllers to "<prefix><ending>Down" / "...Up".
    void BindEveryButton()
    {
        StringList lines;
        for (const char* prefix : {"P1BUTTON_", "P2BUTTON_"})
        {
            for (const char* ending : kEndings)
            {
                const std::string name = std::string(prefix) + ending;
                lines.push_back(name + "=+" + name + "Down");
                lines.push_back(name + "=-" + name + "Up");
                Listen(name + "Down");
                Listen(name + "Up");
            }
        }
        ReadBindings(lines);
    }

    void ReadBindings(const StringList& lines)
    {
        MakeDirectories("Config");
        ASSERT_TRUE(WriteLinesToFile("Config/input_bindings.ini", lines));
        InputManager::Destroy();
        InputManager::GetInstance();
    }

    void Listen(const std::string& name)
    {
        Switchboard::GetInstance()->SubscribeTo(&recorder, name);
        subscribed.push_back(name);
    }

    // One tick's read of the pad, then the tick's message delivery.
    std::vector<std::string> Tick(Controller& controller)
    {
        recorder.names.clear();
        controller.UpdateState();
        Switchboard::GetInstance()->SendAllMessages();
        return recorder.names;
    }

    Controller& Plugged(Controller& controller)
    {
        pads.Connected[controller.GetControllerID()] = true;
        controller.Setup();
        return controller;
    }

    GamepadState& Pad(int index) { return pads.Pads[index]; }

    ScratchDirectory scratch;
    FakeGamepadBackend pads;
    MessageNameRecorder recorder;
    std::vector<std::string> subscribed;
};

typedef std::vector<std::string> Names;
}

TEST_F(ControllerBindingsTest, HoldingAButtonSendsItsDownMessageOnce)
{
    BindEveryButton();
    Controller& controller = Plugged(*new Controller(0));
    Pad(0).Buttons = GamepadButtons::A;

    EXPECT_EQ(Names({"P1BUTTON_ADown"}), Tick(controller));
    for (int tick = 1; tick < 10; ++tick)
    {
        EXPECT_EQ(Names(), Tick(controller)) << tick;
    }
    Pad(0).Buttons = 0;
    EXPECT_EQ(Names({"P1BUTTON_AUp"}), Tick(controller));
    EXPECT_EQ(Names(), Tick(controller));
    delete &controller;
}

TEST_F(ControllerBindingsTest, EveryButtonOfBothControllersHasItsOwnCode)
{
    BindEveryButton();
    struct Row
    {
        const char* Ending;
        uint16_t Bit;
        uint8_t LeftTrigger;
        uint8_t RightTrigger;
    };
    const Row rows[] = {{"A", 0x1000, 0, 0},         {"B", 0x2000, 0, 0},          {"X", 0x4000, 0, 0},
                        {"Y", 0x8000, 0, 0},         {"START", 0x0010, 0, 0},      {"BACK", 0x0020, 0, 0},
                        {"LEFTTHUMB", 0x0040, 0, 0}, {"RIGHTTHUMB", 0x0080, 0, 0}, {"LEFTTRIGGER", 0, 31, 0},
                        {"RIGHTTRIGGER", 0, 0, 255}, {"LEFTBUMPER", 0x0100, 0, 0}, {"RIGHTBUMPER", 0x0200, 0, 0}};
    for (int index = 0; index < 2; ++index)
    {
        Controller controller(index);
        Plugged(controller);
        const std::string prefix = index == 0 ? "P1BUTTON_" : "P2BUTTON_";
        for (const Row& row : rows)
        {
            Pad(index).Buttons = row.Bit;
            Pad(index).LeftTrigger = row.LeftTrigger;
            Pad(index).RightTrigger = row.RightTrigger;
            EXPECT_EQ(Names({prefix + row.Ending + "Down"}), Tick(controller));
            Pad(index) = GamepadState();
            EXPECT_EQ(Names({prefix + row.Ending + "Up"}), Tick(controller));
        }
    }
}

TEST_F(ControllerBindingsTest, SeveralEdgesInOneReadGoInTableOrder)
{
    BindEveryButton();
    Controller controller(1);
    Plugged(controller);
    Pad(1).Buttons = GamepadButtons::RightShoulder | GamepadButtons::Y | GamepadButtons::A;
    EXPECT_EQ(Names({"P2BUTTON_ADown", "P2BUTTON_YDown", "P2BUTTON_RIGHTBUMPERDown"}), Tick(controller));
    Pad(1).Buttons = GamepadButtons::Y | GamepadButtons::Start;
    EXPECT_EQ(Names({"P2BUTTON_AUp", "P2BUTTON_STARTDown", "P2BUTTON_RIGHTBUMPERUp"}), Tick(controller));
}

TEST_F(ControllerBindingsTest, ControllersKeepSeparateButtonStates)
{
    BindEveryButton();
    Controller first(0);
    Controller second(1);
    Plugged(first);
    Plugged(second);
    Pad(0).Buttons = GamepadButtons::A;
    Pad(1).Buttons = GamepadButtons::A;
    EXPECT_EQ(Names({"P1BUTTON_ADown"}), Tick(first));
    EXPECT_EQ(Names({"P2BUTTON_ADown"}), Tick(second));
    Pad(0).Buttons = 0;
    EXPECT_EQ(Names(), Tick(second));
    EXPECT_EQ(Names({"P1BUTTON_AUp"}), Tick(first));
}

TEST_F(ControllerBindingsTest, UnboundButtonsStillTrackTheirState)
{
    Listen("Fire");
    ReadBindings({"P1BUTTON_B = +Fire"});
    Controller controller(0);
    Plugged(controller);
    Pad(0).Buttons = GamepadButtons::B;
    // Held while the binding appears: no edge, so nothing is sent.
    InputManager::GetInstance()->RemoveBinding("P1BUTTON_B");
    EXPECT_EQ(Names(), Tick(controller));
    InputManager::GetInstance()->AddBinding("P1BUTTON_B", "+Fire");
    EXPECT_EQ(Names(), Tick(controller));
    Pad(0).Buttons = 0;
    EXPECT_EQ(Names(), Tick(controller));
    Pad(0).Buttons = GamepadButtons::B;
    EXPECT_EQ(Names({"Fire"}), Tick(controller));
}

TEST_F(ControllerBindingsTest, ALostControllerSendsNoUpMessages)
{
    BindEveryButton();
    Controller controller(0);
    Plugged(controller);
    Pad(0).Buttons = GamepadButtons::X;
    EXPECT_EQ(Names({"P1BUTTON_XDown"}), Tick(controller));

    pads.Connected[0] = false;
    EXPECT_EQ(Names(), Tick(controller));
    EXPECT_EQ(Names(), Tick(controller));

    // Back after a new set-up with X still held: the stored state is still down.
    pads.Connected[0] = true;
    controller.Setup();
    EXPECT_EQ(Names(), Tick(controller));
    Pad(0).Buttons = 0;
    EXPECT_EQ(Names({"P1BUTTON_XUp"}), Tick(controller));
}

TEST_F(ControllerBindingsTest, AButtonHeldAtStartUpIsPressedOnTheFirstRead)
{
    BindEveryButton();
    Pad(0).Buttons = GamepadButtons::Back;
    Controller controller(0);
    Plugged(controller);
    EXPECT_EQ(Names({"P1BUTTON_BACKDown"}), Tick(controller));
}

TEST_F(ControllerBindingsTest, UnknownControllerIdIsReportedAndSendsNothing)
{
    BindEveryButton();
    Controller stray(2);
    InputManager::GetInstance()->HandleControl(&stray);
    Switchboard::GetInstance()->SendAllMessages();

    EXPECT_TRUE(recorder.names.empty());
    ASSERT_FALSE(SystemLogCapture().Lines.empty());
    EXPECT_EQ("Bad controller ID.", SystemLogCapture().Lines.back());

    // The real controllers' states were left alone.
    Controller controller(0);
    Plugged(controller);
    Pad(0).Buttons = GamepadButtons::A;
    EXPECT_EQ(Names({"P1BUTTON_ADown"}), Tick(controller));
}
