#include "engine/input/Controller.h"

#include "engine/input/InputManager.h"
#include "engine/log/CompoundLog.h"

#include <cstring>

namespace
{
// Below these on both axes a stick counts as centred; worn sticks rarely rest at 0.
const int32_t kLeftThumbDeadZone = 7849;
const int32_t kRightThumbDeadZone = 8689;
// Triggers rattle a little at rest, so a light touch is not a press.
const int32_t kTriggerThreshold = 30;
const float kStickScale = 1.0f / 32768.0f;
const unsigned int kFullMotorSpeed = 65535;
}

Controller::Controller(int id) : _id(id), _connected(false), _leftVibration(0), _rightVibration(0), _lastResult(0)
{
    std::memset(&_input, 0, sizeof(_input));
    std::memset(&_rawState, 0, sizeof(_rawState));
}

void Controller::Setup()
{
    std::memset(&_rawState, 0, sizeof(_rawState));
    _lastResult = GamepadBackend::Get().ReadState(_id, _rawState);
    if (_lastResult == kGamepadSuccess)
    {
        CompoundLog::GetSystemLog().Printf("Controller %d connected!", _id + 1);
        _connected = true;
        return;
    }
    CompoundLog::GetSystemLog().Printf("Controller %d not present...", _id + 1);
    Disconnect();
}

void Controller::UpdateState()
{
    if (!_connected)
    {
        return;
    }
    _lastResult = GamepadBackend::Get().ReadState(_id, _rawState);
    if (_lastResult != kGamepadSuccess)
    {
        CompoundLog::GetSystemLog().Printf("Uh oh, we lost controller %d...", _id + 1);
        Disconnect();
        return;
    }
    DecodeState();
    InputManager::GetInstance()->HandleControl(this);
}

void Controller::Disconnect()
{
    _connected = false;
    std::memset(&_rawState, 0, sizeof(_rawState));
    std::memset(&_input, 0, sizeof(_input));
}

void Controller::DecodeState()
{
    _input.LeftTriggerValue = _rawState.LeftTrigger;
    _input.RightTriggerValue = _rawState.RightTrigger;
    _input.Buttons = _rawState.Buttons;
    _input.LeftThumbstickX = _rawState.LeftThumbX;
    _input.LeftThumbstickY = _rawState.LeftThumbY;
    _input.RightThumbstickX = _rawState.RightThumbX;
    _input.RightThumbstickY = _rawState.RightThumbY;
    ApplyDeadZone(_input.LeftThumbstickX, _input.LeftThumbstickY, kLeftThumbDeadZone);
    ApplyDeadZone(_input.RightThumbstickX, _input.RightThumbstickY, kRightThumbDeadZone);
}

// A square zone: a stick pushed along one axis keeps its small drift on the other.
void Controller::ApplyDeadZone(int32_t& x, int32_t& y, int32_t deadZone)
{
    if (x > -deadZone && x < deadZone && y > -deadZone && y < deadZone)
    {
        x = 0;
        y = 0;
    }
}

Vec2i Controller::GetLeftThumbstick() const
{
    return Vec2i(_input.LeftThumbstickX, _input.LeftThumbstickY);
}

Vec2i Controller::GetRightThumbstick() const
{
    return Vec2i(_input.RightThumbstickX, _input.RightThumbstickY);
}

Vector2 Controller::GetLeftThumbVec2() const
{
    return Vector2(_input.LeftThumbstickX * kStickScale, _input.LeftThumbstickY * kStickScale);
}

Vector2 Controller::GetRightThumbVec2() const
{
    return Vector2(_input.RightThumbstickX * kStickScale, _input.RightThumbstickY * kStickScale);
}

bool Controller::IsLeftTriggerPressed() const
{
    return _input.LeftTriggerValue > kTriggerThreshold;
}

bool Controller::IsRightTriggerPressed() const
{
    return _input.RightTriggerValue > kTriggerThreshold;
}

bool Controller::IsButtonDown(unsigned int mask) const
{
    return (_input.Buttons & mask) != 0;
}

bool Controller::IsStartButtonDown() const { return IsButtonDown(GamepadButtons::Start); }
bool Controller::IsBackButtonDown() const { return IsButtonDown(GamepadButtons::Back); }
bool Controller::IsLeftThumbstickButtonDown() const { return IsButtonDown(GamepadButtons::LeftThumb); }
bool Controller::IsRightThumbstickButtonDown() const { return IsButtonDown(GamepadButtons::RightThumb); }
bool Controller::IsLeftBumperDown() const { return IsButtonDown(GamepadButtons::LeftShoulder); }
bool Controller::IsRightBumperDown() const { return IsButtonDown(GamepadButtons::RightShoulder); }
bool Controller::IsAButtonDown() const { return IsButtonDown(GamepadButtons::A); }
bool Controller::IsBButtonDown() const { return IsButtonDown(GamepadButtons::B); }
bool Controller::IsXButtonDown() const { return IsButtonDown(GamepadButtons::X); }
bool Controller::IsYButtonDown() const { return IsButtonDown(GamepadButtons::Y); }

unsigned int Controller::SetLeftVibration(int value)
{
    return SetLeftVibrationRaw(VibrationToRaw(value));
}

unsigned int Controller::SetRightVibration(int value)
{
    return SetRightVibrationRaw(VibrationToRaw(value));
}

unsigned int Controller::SetLeftVibrationRaw(unsigned int value)
{
    _leftVibration = ClampMotorSpeed(value);
    return SendVibration();
}

unsigned int Controller::SetRightVibrationRaw(unsigned int value)
{
    _rightVibration = ClampMotorSpeed(value);
    return SendVibration();
}

unsigned int Controller::SendVibration()
{
    return GamepadBackend::Get().SetVibration(_id, static_cast<uint16_t>(_leftVibration),
                                              static_cast<uint16_t>(_rightVibration));
}

// Motors take 16 bits: a bigger speed is full speed rather than wrapping round to a crawl.
unsigned int Controller::ClampMotorSpeed(unsigned int value)
{
    return value > kFullMotorSpeed ? kFullMotorSpeed : value;
}

// 0..255 onto the motor's 16-bit range, with 255 reaching the very top.
unsigned int Controller::VibrationToRaw(int value)
{
    if (value <= 0)
    {
        return 0;
    }
    if (value >= 255)
    {
        return kFullMotorSpeed;
    }
    return static_cast<unsigned int>(value) * 256;
}
