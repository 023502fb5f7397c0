#pragma once

#include "engine/util/StringTypes.h"

#include <linux/input.h>

// The system calls that drive a pad's force feedback through its event device
// (/dev/input/eventN) and find that device under /sys/class/input. Tests put a fake
// device behind it. Device handles are whatever Open returns; none is valid after Close.
class ForceFeedbackSystem
{
public:
    virtual ~ForceFeedbackSystem();

    // The event devices' names ("event0", "event1", ...) in no particular order.
    virtual StringList ListEventDevices() = 0;
    // The first line of a file below the device's sysfs entry, such as "device/name"
    // or "device/id/vendor"; "" when it cannot be read.
    virtual String ReadAttribute(const String& device, const String& attribute) = 0;

    // Opens the device's node for reading and writing: a handle >= 0, or -errno.
    virtual int Open(const String& device) = 0;
    virtual void Close(int handle) = 0;
    // True when the device's driver takes FF_RUMBLE effects.
    virtual bool SupportsRumble(int handle) = 0;
    // Uploads the effect (id -1) or updates the one uploaded with its id; the device
    // fills in the id of a new effect. 0, or -errno.
    virtual int UploadEffect(int handle, ff_effect& effect) = 0;
    // Starts (true) or stops the uploaded effect; false when the device refused.
    virtual bool PlayEffect(int handle, int effectId, bool play) = 0;
    virtual void RemoveEffect(int handle, int effectId) = 0;
};
