#include "engine/config/ConfigUpdater.h"

#include "engine/config/Tuning.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"

#include <sys/stat.h>

namespace
{
    const char* const kTuningFile = "Config/tuning.lua";
    const char* const kCheckMessage = "TuningCheckTick";
}

ConfigUpdater::ConfigUpdater() : _lastModified(0)
{
    Tuning::GetInstance()->LoadTuningVariables();
    _lastModified = ModificationTime(kTuningFile);
    Switchboard::GetInstance()->SubscribeTo(this, kCheckMessage);
    ScheduleCheck();
}

ConfigUpdater::~ConfigUpdater() {}

int64_t ConfigUpdater::ModificationTime(const char* path)
{
    struct stat status;
    if (stat(path, &status) != 0)
        return 0;
    // Whole nanoseconds in 64 bits: two saves within one second differ, and times after
    // 2038 still compare right.
    return (int64_t)status.st_mtim.tv_sec * 1000000000LL + (int64_t)status.st_mtim.tv_nsec;
}

void ConfigUpdater::ScheduleCheck()
{
    Switchboard::GetInstance()->DeferredBroadcast(new Message(kCheckMessage), 1.0f);
}

void ConfigUpdater::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() != kCheckMessage)
        return;
    const int64_t modified = ModificationTime(kTuningFile);
    if (_lastModified < modified)
    {
        Tuning::GetInstance()->LoadTuningVariables();
        _lastModified = modified;
    }
    ScheduleCheck();
}
