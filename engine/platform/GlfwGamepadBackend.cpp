#include "engine/platform/GlfwGamepadBackend.h"

#include <GLFW/glfw3.h>

#include <cmath>

namespace
{
struct ButtonBit
{
    int LibraryButton;
    uint16_t Bit;
};

const ButtonBit kButtonBits[] = {
    {GLFW_GAMEPAD_BUTTON_DPAD_UP, GamepadButtons::DPadUp},
    {GLFW_GAMEPAD_BUTTON_DPAD_DOWN, GamepadButtons::DPadDown},
    {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, GamepadButtons::DPadLeft},
    {GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GamepadButtons::DPadRight},
    {GLFW_GAMEPAD_BUTTON_START, GamepadButtons::Start},
    {GLFW_GAMEPAD_BUTTON_BACK, GamepadButtons::Back},
    {GLFW_GAMEPAD_BUTTON_LEFT_THUMB, GamepadButtons::LeftThumb},
    {GLFW_GAMEPAD_BUTTON_RIGHT_THUMB, GamepadButtons::RightThumb},
    {GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GamepadButtons::LeftShoulder},
    {GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER, GamepadButtons::RightShoulder},
    {GLFW_GAMEPAD_BUTTON_A, GamepadButtons::A},
    {GLFW_GAMEPAD_BUTTON_B, GamepadButtons::B},
    {GLFW_GAMEPAD_BUTTON_X, GamepadButtons::X},
    {GLFW_GAMEPAD_BUTTON_Y, GamepadButtons::Y}};

float Clamp(float value, float low, float high)
{
    return value < low ? low : (value > high ? high : value);
}

bool IsPadPresent(int joystick)
{
    return joystick >= GLFW_JOYSTICK_1 && joystick <= GLFW_JOYSTICK_LAST && glfwJoystickPresent(joystick) == GLFW_TRUE &&
           glfwJoystickIsGamepad(joystick) == GLFW_TRUE;
}

#if defined(__linux__)
std::vector<JoystickIdentity> PresentJoysticks()
{
    std::vector<JoystickIdentity> present;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick)
    {
        const char* name = glfwGetJoystickName(joystick);
        const char* guid = glfwGetJoystickGUID(joystick);
        if (name != 0 && guid != 0)
        {
            present.push_back(JoystickIdentity{joystick, name, guid});
        }
    }
    return present;
}
#endif
}

#if defined(__linux__)
GlfwGamepadBackend::GlfwGamepadBackend() : _rumble(_eventDevices) {}
#else
GlfwGamepadBackend::GlfwGamepadBackend() {}
#endif

unsigned int GlfwGamepadBackend::ReadState(int userIndex, GamepadState& state)
{
    GLFWgamepadstate pad;
    if (!IsPadPresent(userIndex) || glfwGetGamepadState(userIndex, &pad) != GLFW_TRUE)
    {
        TrackRumble(userIndex, false);
        return kGamepadNotConnected;
    }
    TrackRumble(userIndex, true);
    uint16_t buttons = 0;
    for (const ButtonBit& entry : kButtonBits)
    {
        if (pad.buttons[entry.LibraryButton] == GLFW_PRESS)
        {
            buttons |= entry.Bit;
        }
    }
    state.Buttons = buttons;
    // The library's stick Y grows downwards; the engine's grows upwards.
    state.LeftThumbX = StickAxis(pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X]);
    state.LeftThumbY = StickAxis(-pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]);
    state.RightThumbX = StickAxis(pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X]);
    state.RightThumbY = StickAxis(-pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]);
    state.LeftTrigger = TriggerAxis(pad.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER]);
    state.RightTrigger = TriggerAxis(pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER]);
    // The library gives no packet counter; count reads so each one is distinct.
    ++state.PacketNumber;
    return kGamepadSuccess;
}

unsigned int GlfwGamepadBackend::SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor)
{
    if (!IsPadPresent(userIndex))
    {
        return kGamepadNotConnected;
    }
#if defined(__linux__)
    return _rumble.SetVibration(userIndex, leftMotor, rightMotor);
#else
    (void)leftMotor;
    (void)rightMotor;
    return kGamepadSuccess;
#endif
}

// Connecting and losing a pad is seen only through reads, so reads open and close its motors.
void GlfwGamepadBackend::TrackRumble(int userIndex, bool present)
{
#if defined(__linux__)
    if (!present)
    {
        _rumble.PadLost(userIndex);
    }
    else if (!_rumble.IsKnown(userIndex))
    {
        _rumble.PadConnected(userIndex, PresentJoysticks());
    }
#else
    (void)userIndex;
    (void)present;
#endif
}

// -1..1 onto -32768..32767: each half scaled to its own end, so rest stays 0.
int16_t GlfwGamepadBackend::StickAxis(float value)
{
    const double clamped = Clamp(value, -1.0f, 1.0f);
    const double scaled = clamped < 0.0 ? clamped * 32768.0 : clamped * 32767.0;
    return static_cast<int16_t>(std::lround(scaled));
}

// Triggers rest at -1 and are fully pulled at 1.
uint8_t GlfwGamepadBackend::TriggerAxis(float value)
{
    const double scaled = (Clamp(value, -1.0f, 1.0f) + 1.0) * 127.5;
    return static_cast<uint8_t>(std::lround(scaled));
}
