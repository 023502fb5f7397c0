#pragma once

#include "engine/platform/GamepadBackend.h"

// Pads through the window library's gamepad mappings: user index n is joystick n,
// and only joysticks with a gamepad mapping count as connected.
class GlfwGamepadBackend : public GamepadBackend
{
public:
    unsigned int ReadState(int userIndex, GamepadState& state) override;
    // The window library drives no motors: the speeds go nowhere.
    unsigned int SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor) override;

    // Conversions from the library's -1..1 axes, exposed for checking.
    static int16_t StickAxis(float value);
    static uint8_t TriggerAxis(float value);
};
