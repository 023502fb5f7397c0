#include "engine/platform/LinuxForceFeedbackSystem.h"

#include "engine/util/FileUtil.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace
{
const char* const kClassDirectory = "/sys/class/input/";
const char* const kDeviceDirectory = "/dev/input/";
const size_t kBitsPerWord = sizeof(unsigned long) * CHAR_BIT;
}

StringList LinuxForceFeedbackSystem::ListEventDevices()
{
    StringList devices;
    DIR* directory = opendir(kClassDirectory);
    if (directory == 0)
    {
        return devices;
    }
    while (dirent* entry = readdir(directory))
    {
        const String name = entry->d_name;
        if (name.compare(0, 5, "event") == 0)
        {
            devices.push_back(name);
        }
    }
    closedir(directory);
    return devices;
}

String LinuxForceFeedbackSystem::ReadAttribute(const String& device, const String& attribute)
{
    StringList lines;
    if (!ReadLinesFromFile(kClassDirectory + device + "/" + attribute, lines) || lines.empty())
    {
        return "";
    }
    return lines[0];
}

int LinuxForceFeedbackSystem::Open(const String& device)
{
    // Effects are played by writing to the device, so reading alone is not enough.
    const int handle = open((kDeviceDirectory + device).c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    return handle >= 0 ? handle : -errno;
}

void LinuxForceFeedbackSystem::Close(int handle) { close(handle); }

bool LinuxForceFeedbackSystem::SupportsRumble(int handle)
{
    unsigned long bits[FF_CNT / kBitsPerWord + 1] = {};
    if (ioctl(handle, EVIOCGBIT(EV_FF, sizeof(bits)), bits) < 0)
    {
        return false;
    }
    return (bits[FF_RUMBLE / kBitsPerWord] >> (FF_RUMBLE % kBitsPerWord)) & 1UL;
}

int LinuxForceFeedbackSystem::UploadEffect(int handle, ff_effect& effect)
{
    return ioctl(handle, EVIOCSFF, &effect) < 0 ? -errno : 0;
}

bool LinuxForceFeedbackSystem::PlayEffect(int handle, int effectId, bool play)
{
    input_event event = {};
    event.type = EV_FF;
    event.code = static_cast<uint16_t>(effectId);
    event.value = play ? 1 : 0;
    return write(handle, &event, sizeof(event)) == static_cast<ssize_t>(sizeof(event));
}

void LinuxForceFeedbackSystem::RemoveEffect(int handle, int effectId) { ioctl(handle, EVIOCRMFF, effectId); }
