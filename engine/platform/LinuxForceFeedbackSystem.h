#pragma once

#include "engine/platform/ForceFeedbackSystem.h"

// The real event devices: sysfs for finding them, the evdev ioctls and writes for
// their effects.
class LinuxForceFeedbackSystem : public ForceFeedbackSystem
{
public:
    StringList ListEventDevices() override;
    String ReadAttribute(const String& device, const String& attribute) override;
    int Open(const String& device) override;
    void Close(int handle) override;
    bool SupportsRumble(int handle) override;
    int UploadEffect(int handle, ff_effect& effect) override;
    bool PlayEffect(int handle, int effectId, bool play) override;
    void RemoveEffect(int handle, int effectId) override;
};
