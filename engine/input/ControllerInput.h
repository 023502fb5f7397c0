#pragma once

#include <cstdint>

// A controller's state after the dead zones: sticks -32768..32767, triggers 0..255,
// Buttons the pad's 16-bit mask (see GamepadButtons).
struct ControllerInput
{
    int32_t LeftThumbstickX;
    int32_t LeftThumbstickY;
    int32_t RightThumbstickX;
    int32_t RightThumbstickY;
    int32_t LeftTriggerValue;
    int32_t RightTriggerValue;
    uint32_t Buttons;
};
