#pragma once

#include "engine/input/ControllerInput.h"
#include "engine/math/Vec2i.h"
#include "engine/math/Vector2.h"
#include "engine/platform/GamepadBackend.h"

#include <cstdint>

// One game controller, polled by user index. It is looked for only by Setup: a pad
// that is missing then, or lost later, stays disconnected until Setup runs again.
class Controller
{
public:
    explicit Controller(int id);

    // Looks for the pad once; the state is decoded from the first UpdateState on.
    void Setup();
    // Reads the pad, applies the dead zones and hands button edges to the InputManager.
    void UpdateState();

    int GetControllerID() const { return _id; }
    bool IsConnected() const { return _connected; }
    ControllerInput GetState() const { return _input; }

    Vec2i GetLeftThumbstick() const;
    Vec2i GetRightThumbstick() const;
    // Each axis divided by 32768: from -1 up to just under 1.
    Vector2 GetLeftThumbVec2() const;
    Vector2 GetRightThumbVec2() const;

    int GetLeftTrigger() const { return _input.LeftTriggerValue; }
    int GetRightTrigger() const { return _input.RightTriggerValue; }
    bool IsLeftTriggerPressed() const;
    bool IsRightTriggerPressed() const;

    // True when any of the bits in mask is down.
    bool IsButtonDown(unsigned int mask) const;
    bool IsStartButtonDown() const;
    bool IsBackButtonDown() const;
    bool IsLeftThumbstickButtonDown() const;
    bool IsRightThumbstickButtonDown() const;
    bool IsLeftBumperDown() const;
    bool IsRightBumperDown() const;
    bool IsAButtonDown() const;
    bool IsBButtonDown() const;
    bool IsXButtonDown() const;
    bool IsYButtonDown() const;

    unsigned int GetLeftVibration() const { return _leftVibration; }
    unsigned int GetRightVibration() const { return _rightVibration; }
    // 0..255, where 255 is full speed; values outside are clamped.
    unsigned int SetLeftVibration(int value);
    unsigned int SetRightVibration(int value);
    // Motor speed 0..65535 (larger values are clamped), sent together with the other motor's stored speed.
    // Returns the backend's result unexamined; works whether or not a pad is there.
    unsigned int SetLeftVibrationRaw(unsigned int value);
    unsigned int SetRightVibrationRaw(unsigned int value);

private:
    void Disconnect();
    void DecodeState();
    unsigned int SendVibration();

    static void ApplyDeadZone(int32_t& x, int32_t& y, int32_t deadZone);
    static unsigned int VibrationToRaw(int value);
    static unsigned int ClampMotorSpeed(unsigned int value);

    int _id;
    bool _connected;
    ControllerInput _input;
    unsigned int _leftVibration;
    unsigned int _rightVibration;
    unsigned int _lastResult;
    GamepadState _rawState;
};
