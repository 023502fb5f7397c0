#pragma once

#include <cstdint>

// One pad's state as the engine reads it: sticks in the signed 16-bit range with
// Y pointing up, triggers 0..255, and the button mask laid out as GamepadButtons below.
struct GamepadState
{
    uint32_t PacketNumber;
    uint16_t Buttons;
    uint8_t LeftTrigger;
    uint8_t RightTrigger;
    int16_t LeftThumbX;
    int16_t LeftThumbY;
    int16_t RightThumbX;
    int16_t RightThumbY;
};

// Bits of GamepadState::Buttons.
namespace GamepadButtons
{
    const uint16_t DPadUp = 0x0001;
    const uint16_t DPadDown = 0x0002;
    const uint16_t DPadLeft = 0x0004;
    const uint16_t DPadRight = 0x0008;
    const uint16_t Start = 0x0010;
    const uint16_t Back = 0x0020;
    const uint16_t LeftThumb = 0x0040;
    const uint16_t RightThumb = 0x0080;
    const uint16_t LeftShoulder = 0x0100;
    const uint16_t RightShoulder = 0x0200;
    const uint16_t A = 0x1000;
    const uint16_t B = 0x2000;
    const uint16_t X = 0x4000;
    const uint16_t Y = 0x8000;
}

// Result codes of the backend calls.
const unsigned int kGamepadSuccess = 0;
const unsigned int kGamepadNotConnected = 1;

// Where controller state comes from. The engine polls pads by user index (0, 1, ...);
// a backend other than the window library's can be installed, which is how tests
// play a pad that isn't there.
class GamepadBackend
{
public:
    virtual ~GamepadBackend();

    // Fills state and returns kGamepadSuccess, or returns another code when no pad
    // answers on that index (state is then left as it was).
    virtual unsigned int ReadState(int userIndex, GamepadState& state) = 0;

    // Motor speeds 0..65535 for the low- and high-frequency motors.
    virtual unsigned int SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor) = 0;

    // The backend in use: the window library's unless another was installed.
    static GamepadBackend& Get();
    // Not owned; null goes back to the window library's backend.
    static void Install(GamepadBackend* backend);
};
