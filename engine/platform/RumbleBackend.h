#pragma once

#include "engine/platform/ForceFeedbackSystem.h"

#include <cstdint>
#include <map>
#include <vector>

// A joystick as the window library reports it; its GUID is built from the event
// device's bus, vendor, product and version (or its name when those are missing).
struct JoystickIdentity
{
    int Joystick;
    String Name;
    String Guid;
};

// Drives the two motors of pads through their event devices' force feedback: one
// endless rumble effect per pad, strong magnitude for the left (low-frequency) motor,
// weak for the right. User index n is joystick n.
class RumbleBackend
{
public:
    // The system is not owned and must outlive the backend.
    explicit RumbleBackend(ForceFeedbackSystem& system);
    // Stops every effect and closes every device.
    ~RumbleBackend();

    // Opens the event device of a pad that has just connected. present lists every
    // joystick now present, the pad's among them, so identical pads can be told apart.
    // A pad that cannot rumble is reported once, until it is lost.
    void PadConnected(int userIndex, const std::vector<JoystickIdentity>& present);
    // Stops the pad's effect and closes its device.
    void PadLost(int userIndex);
    // True once PadConnected ran for the pad, whether or not it can rumble.
    bool IsKnown(int userIndex) const;

    // Sets both motor speeds; the motors keep them until the next call, and stop when
    // both are 0. Returns kGamepadSuccess, also for a pad that cannot rumble.
    unsigned int SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor);

    // The GUID the window library gives the joystick behind an event device.
    String GuidOf(const String& device);

private:
    struct Pad
    {
        int Handle;
        ff_effect Effect;
        bool Playing;
    };

    String FindEventDevice(const JoystickIdentity& pad, const std::vector<JoystickIdentity>& present);
    void OpenPad(int userIndex, const String& device, Pad& pad);
    void ClosePad(Pad& pad);

    ForceFeedbackSystem& _system;
    // Every pad known; a Handle of -1 marks one that cannot rumble.
    std::map<int, Pad> _pads;
};
