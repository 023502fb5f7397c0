#pragma once

#include "engine/platform/GamepadBackend.h"

#if defined(__linux__)
#include "engine/platform/LinuxForceFeedbackSystem.h"
#include "engine/platform/RumbleBackend.h"
#endif

// Pads through the window library's gamepad mappings: user index n is joystick n,
// and only joysticks with a gamepad mapping count as connected. The library drives
// no motors, so on Linux the pad's event device does (see RumbleBackend).
class GlfwGamepadBackend : public GamepadBackend
{
public:
    GlfwGamepadBackend();

    // A read that finds the pad opens its motors; one that misses it closes them.
    unsigned int ReadState(int userIndex, GamepadState& state) override;
    // kGamepadNotConnected when no pad answers on the index or its device stopped
    // taking effects; otherwise success, also for pads that cannot rumble.
    unsigned int SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor) override;

    // Conversions from the library's -1..1 axes, exposed for checking.
    static int16_t StickAxis(float value);
    static uint8_t TriggerAxis(float value);

private:
    void TrackRumble(int userIndex, bool present);

#if defined(__linux__)
    LinuxForceFeedbackSystem _eventDevices;
    RumbleBackend _rumble;
#endif
};
