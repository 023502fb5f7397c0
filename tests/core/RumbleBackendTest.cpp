// Pad motors through event-device force feedback, against a fake device.
#include "engine/platform/GamepadBackend.h"
#include "engine/platform/RumbleBackend.h"
#include "support/SystemLogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <utility>

namespace
{
const char* const kXboxGuid = "030000005e0400008e02000014010000";

// Event devices listed under a fake /sys/class/input, recording every call made on them.
class FakeEventDevices : public ForceFeedbackSystem
{
public:
    void Add(const String& device, const String& name, const String& vendor = "045e")
    {
        Attributes[device] = {{"device/name", name},       {"device/id/bustype", "0003"},
                              {"device/id/vendor", vendor}, {"device/id/product", "028e"},
                              {"device/id/version", "0114"}};
    }

    StringList ListEventDevices() override
    {
        StringList devices;
        for (const auto& device : Attributes)
        {
            devices.push_back(device.first);
        }
        return devices;
    }
    String ReadAttribute(const String& device, const String& attribute) override
    {
        return Attributes[device][attribute];
    }
    int Open(const String& device) override
    {
        if (OpenErrors.count(device))
        {
            return -OpenErrors[device];
        }
        Opened.push_back(device);
        return static_cast<int>(Opened.size()) + 2;
    }
    void Close(int handle) override { Closed.push_back(handle); }
    bool SupportsRumble(int handle) override { return !WithoutRumble.count(Opened[handle - 3]); }
    int UploadEffect(int handle, ff_effect& effect) override
    {
        if (UploadError != 0)
        {
            return -UploadError;
        }
        Uploads.push_back(std::make_pair(handle, effect));
        effect.id = effect.id == -1 ? static_cast<int16_t>(10 + Uploads.size()) : effect.id;
        return 0;
    }
    bool PlayEffect(int, int effectId, bool play) override
    {
        Plays.push_back(std::make_pair(effectId, play));
        return true;
    }
    void RemoveEffect(int, int effectId) override { Removed.push_back(effectId); }

    std::map<String, std::map<String, String> > Attributes;
    std::map<String, int> OpenErrors;
    std::set<String> WithoutRumble;
    int UploadError = 0;
    StringList Opened;
    std::vector<int> Closed;
    std::vector<std::pair<int, ff_effect> > Uploads;
    std::vector<std::pair<int, bool> > Plays;
    std::vector<int> Removed;
};

class RumbleBackendTest : public ::testing::Test
{
protected:
    void SetUp() override { SystemLogCapture().Lines.clear(); }

    // One pad called "Pad" on joystick 0, at event5 beside a keyboard.
    void ConnectOnePad()
    {
        devices.Add("event3", "Keyboard");
        devices.Add("event5", "Pad");
        rumble.PadConnected(0, {{0, "Pad", kXboxGuid}});
    }

    FakeEventDevices devices;
    RumbleBackend rumble{devices};
};
}

TEST_F(RumbleBackendTest, AConnectedPadGetsOneEndlessRumbleEffect)
{
    ConnectOnePad();
    EXPECT_EQ(StringList({"event5"}), devices.Opened);
    ASSERT_EQ(1u, devices.Uploads.size());
    const ff_effect& effect = devices.Uploads[0].second;
    EXPECT_EQ(FF_RUMBLE, effect.type);
    EXPECT_EQ(-1, effect.id);
    EXPECT_EQ(0, effect.replay.length);
    EXPECT_EQ(0, effect.u.rumble.strong_magnitude);
    EXPECT_TRUE(devices.Plays.empty());
    EXPECT_TRUE(SystemLogCapture().Lines.empty());
}

TEST_F(RumbleBackendTest, MotorsRunAtTheLastSpeedsAndStopAtZero)
{
    ConnectOnePad();
    const std::pair<uint16_t, uint16_t> speeds[] = {{65535, 0}, {100, 200}, {0, 0}, {0, 5}};
    for (const auto& speed : speeds)
    {
        EXPECT_EQ(kGamepadSuccess, rumble.SetVibration(0, speed.first, speed.second));
    }

    ASSERT_EQ(5u, devices.Uploads.size());
    for (size_t call = 0; call < 4; ++call)
    {
        const ff_effect& effect = devices.Uploads[call + 1].second;
        EXPECT_EQ(11, effect.id) << "the uploaded effect is updated, not added to";
        EXPECT_EQ(speeds[call].first, effect.u.rumble.strong_magnitude);
        EXPECT_EQ(speeds[call].second, effect.u.rumble.weak_magnitude);
    }
    // Started once, stopped at zero, started again.
    EXPECT_EQ((std::vector<std::pair<int, bool> >{{11, true}, {11, false}, {11, true}}), devices.Plays);

    // A device that stops taking the effect has been pulled out.
    devices.UploadError = ENODEV;
    EXPECT_EQ(kGamepadNotConnected, rumble.SetVibration(0, 5, 5));
}

TEST_F(RumbleBackendTest, LosingThePadOrShuttingDownStopsAndCloses)
{
    ConnectOnePad();
    rumble.SetVibration(0, 300, 300);
    rumble.PadLost(0);
    EXPECT_EQ((std::vector<std::pair<int, bool> >{{11, true}, {11, false}}), devices.Plays);
    EXPECT_EQ(std::vector<int>({11}), devices.Removed);
    EXPECT_EQ(std::vector<int>({3}), devices.Closed);
    EXPECT_FALSE(rumble.IsKnown(0));

    {
        RumbleBackend shortLived(devices);
        shortLived.PadConnected(0, {{0, "Pad", kXboxGuid}});
        shortLived.SetVibration(0, 1, 0);
    }
    EXPECT_EQ(StringList({"event5", "event5"}), devices.Opened);
    EXPECT_EQ(std::vector<int>({3, 4}), devices.Closed);
    EXPECT_EQ(false, devices.Plays.back().second);
}

TEST_F(RumbleBackendTest, IdenticalPadsPairInEventAndJoystickOrder)
{
    devices.Add("event10", "Pad");
    devices.Add("event2", "Pad");
    devices.Add("event7", "Pad");
    devices.Add("event3", "Other pad", "054c");
    const std::vector<JoystickIdentity> present = {
        {4, "Pad", kXboxGuid}, {0, "Other pad", "030000004c0500008e02000014010000"}, {1, "Pad", kXboxGuid}};
    rumble.PadConnected(4, present);
    rumble.PadConnected(1, present);
    rumble.PadConnected(0, present);
    EXPECT_EQ(StringList({"event7", "event2", "event3"}), devices.Opened);
    EXPECT_TRUE(SystemLogCapture().Lines.empty());

    // Without vendor, product and version the GUID carries the name's first bytes.
    devices.Add("event9", "Arcade stick", "0");
    EXPECT_EQ("03000000417263616465207374696300", rumble.GuidOf("event9"));
}

TEST_F(RumbleBackendTest, EachPadThatCannotRumbleIsWarnedOnceAndStillAnswers)
{
    devices.Add("event1", "Locked pad");
    devices.Add("event2", "Still pad");
    devices.Add("event3", "Full pad");
    devices.OpenErrors["event1"] = EACCES;
    devices.WithoutRumble.insert("event2");
    const std::vector<JoystickIdentity> present = {{0, "Missing pad", kXboxGuid},
                                                   {1, "Locked pad", kXboxGuid},
                                                   {2, "Still pad", kXboxGuid},
                                                   {3, "Full pad", kXboxGuid}};
    devices.UploadError = ENOSPC;
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        for (int pad = 0; pad < 4; ++pad)
        {
            rumble.PadConnected(pad, present);
            EXPECT_EQ(kGamepadSuccess, rumble.SetVibration(pad, 1000, 1000));
        }
    }
    EXPECT_EQ(StringList({"WARNING: Controller 1 will not vibrate: no event device under /sys/class/input matches it.",
                          "WARNING: Controller 2 will not vibrate: no permission to open /dev/input/event1 for "
                          "reading and writing.",
                          "WARNING: Controller 3 will not vibrate: the driver of /dev/input/event2 offers no force "
                          "feedback.",
                          "WARNING: Controller 4 will not vibrate: /dev/input/event3 refused the rumble effect (No "
                          "space left on device)."}),
              SystemLogCapture().Lines);
    EXPECT_EQ(std::vector<int>({3, 4}), devices.Closed);
}
