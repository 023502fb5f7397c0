#include "engine/platform/RumbleBackend.h"

#include "engine/log/CompoundLog.h"
#include "engine/platform/GamepadBackend.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace
{
const int kNoDevice = -1;

// "event12" -> 12, so event10 sorts after event9.
int EventNumber(const String& device)
{
    return std::atoi(device.c_str() + std::strlen("event"));
}

void WarnNoRumble(int userIndex, const String& reason)
{
    CompoundLog::GetSystemLog().Printf("WARNING: Controller %d will not vibrate: %s.", userIndex + 1, reason.c_str());
}

String OpenFailure(const String& device, int error)
{
    if (error == EACCES || error == EPERM)
    {
        return "no permission to open /dev/input/" + device + " for reading and writing";
    }
    return "/dev/input/" + device + " could not be opened (" + std::strerror(error) + ")";
}
}

RumbleBackend::RumbleBackend(ForceFeedbackSystem& system) : _system(system) {}

RumbleBackend::~RumbleBackend()
{
    for (std::map<int, Pad>::iterator entry = _pads.begin(); entry != _pads.end(); ++entry)
    {
        ClosePad(entry->second);
    }
}

void RumbleBackend::PadConnected(int userIndex, const std::vector<JoystickIdentity>& present)
{
    if (IsKnown(userIndex))
    {
        return;
    }
    Pad& pad = _pads[userIndex];
    pad.Handle = kNoDevice;
    String device;
    for (const JoystickIdentity& joystick : present)
    {
        if (joystick.Joystick == userIndex)
        {
            device = FindEventDevice(joystick, present);
        }
    }
    if (device.empty())
    {
        WarnNoRumble(userIndex, "no event device under /sys/class/input matches it");
        return;
    }
    OpenPad(userIndex, device, pad);
}

void RumbleBackend::PadLost(int userIndex)
{
    std::map<int, Pad>::iterator found = _pads.find(userIndex);
    if (found != _pads.end())
    {
        ClosePad(found->second);
        _pads.erase(found);
    }
}

bool RumbleBackend::IsKnown(int userIndex) const
{
    return _pads.count(userIndex) != 0;
}

unsigned int RumbleBackend::SetVibration(int userIndex, uint16_t leftMotor, uint16_t rightMotor)
{
    std::map<int, Pad>::iterator found = _pads.find(userIndex);
    if (found == _pads.end() || found->second.Handle == kNoDevice)
    {
        // The pad answers but has no motors we can reach, as a pad without motors would.
        return kGamepadSuccess;
    }
    Pad& pad = found->second;
    pad.Effect.u.rumble.strong_magnitude = leftMotor;
    pad.Effect.u.rumble.weak_magnitude = rightMotor;
    // A device that stops taking its effect has in practice been pulled out, so a failed
    // upload or play returns what the set-state call returns for a pad that does not answer.
    if (_system.UploadEffect(pad.Handle, pad.Effect) < 0)
    {
        return kGamepadNotConnected;
    }
    // The effect has no end: started once, it runs at whatever magnitudes were uploaded last.
    const bool play = leftMotor != 0 || rightMotor != 0;
    if (play != pad.Playing)
    {
        if (!_system.PlayEffect(pad.Handle, pad.Effect.id, play))
        {
            return kGamepadNotConnected;
        }
        pad.Playing = play;
    }
    return kGamepadSuccess;
}

// The window library's GUID, laid out like the one other game libraries use: 16-bit
// little-endian bus, vendor, product and version, or the bus and the name's first bytes.
String RumbleBackend::GuidOf(const String& device)
{
    const unsigned long bus = std::strtoul(_system.ReadAttribute(device, "device/id/bustype").c_str(), 0, 16);
    const unsigned long vendor = std::strtoul(_system.ReadAttribute(device, "device/id/vendor").c_str(), 0, 16);
    const unsigned long product = std::strtoul(_system.ReadAttribute(device, "device/id/product").c_str(), 0, 16);
    const unsigned long version = std::strtoul(_system.ReadAttribute(device, "device/id/version").c_str(), 0, 16);
    char guid[64];
    if (vendor != 0 && product != 0 && version != 0)
    {
        std::snprintf(guid, sizeof(guid), "%02lx%02lx0000%02lx%02lx0000%02lx%02lx0000%02lx%02lx0000", bus & 0xff,
                      bus >> 8 & 0xff, vendor & 0xff, vendor >> 8 & 0xff, product & 0xff, product >> 8 & 0xff,
                      version & 0xff, version >> 8 & 0xff);
        return guid;
    }
    unsigned char name[11] = {};
    const String fullName = _system.ReadAttribute(device, "device/name");
    std::memcpy(name, fullName.data(), std::min(fullName.size(), sizeof(name)));
    std::snprintf(guid, sizeof(guid), "%02lx%02lx0000%02x%02x%02x%02x%02x%02x%02x%02x%02x%02x%02x00", bus & 0xff,
                  bus >> 8 & 0xff, name[0], name[1], name[2], name[3], name[4], name[5], name[6], name[7], name[8],
                  name[9], name[10]);
    return guid;
}

// Identical pads share name and GUID, so the k-th of them by joystick id takes the
// k-th matching event device by event number: both are handed out in plug-in order.
String RumbleBackend::FindEventDevice(const JoystickIdentity& pad, const std::vector<JoystickIdentity>& present)
{
    size_t rank = 0;
    for (const JoystickIdentity& other : present)
    {
        if (other.Joystick < pad.Joystick && other.Name == pad.Name && other.Guid == pad.Guid)
        {
            ++rank;
        }
    }
    std::vector<std::pair<int, String> > matches;
    for (const String& device : _system.ListEventDevices())
    {
        if (_system.ReadAttribute(device, "device/name") == pad.Name && GuidOf(device) == pad.Guid)
        {
            matches.push_back(std::make_pair(EventNumber(device), device));
        }
    }
    if (rank >= matches.size())
    {
        return "";
    }
    std::sort(matches.begin(), matches.end());
    return matches[rank].second;
}

void RumbleBackend::OpenPad(int userIndex, const String& device, Pad& pad)
{
    const int handle = _system.Open(device);
    if (handle < 0)
    {
        WarnNoRumble(userIndex, OpenFailure(device, -handle));
        return;
    }
    if (!_system.SupportsRumble(handle))
    {
        WarnNoRumble(userIndex, "the driver of /dev/input/" + device + " offers no force feedback");
        _system.Close(handle);
        return;
    }
    // Zero length: the effect plays until it is stopped.
    ff_effect effect;
    std::memset(&effect, 0, sizeof(effect));
    effect.type = FF_RUMBLE;
    effect.id = -1;
    const int result = _system.UploadEffect(handle, effect);
    if (result < 0)
    {
        WarnNoRumble(userIndex, "/dev/input/" + device + " refused the rumble effect (" + std::strerror(-result) + ")");
        _system.Close(handle);
        return;
    }
    pad.Handle = handle;
    pad.Effect = effect;
    pad.Playing = false;
}

void RumbleBackend::ClosePad(Pad& pad)
{
    if (pad.Handle == kNoDevice)
    {
        return;
    }
    if (pad.Playing)
    {
        _system.PlayEffect(pad.Handle, pad.Effect.id, false);
    }
    _system.RemoveEffect(pad.Handle, pad.Effect.id);
    _system.Close(pad.Handle);
    pad.Handle = kNoDevice;
    pad.Playing = false;
}
