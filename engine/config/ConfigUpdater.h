#pragma once

#include "engine/messaging/MessageListener.h"

#include <cstdint>

// Watches "Config/tuning.lua": runs the script "LoadTuningVariables" when made, then checks
// the file once a second of simulated time (a delayed "TuningCheckTick" to itself, so the
// checks pause with the simulation) and runs it again when the file is newer.
class ConfigUpdater : public MessageListener
{
public:
    ConfigUpdater();
    ~ConfigUpdater() override;

    void ReceiveMessage(Message* message) override;

    // Nanoseconds since the epoch, 0 when the file can't be examined.
    static int64_t ModificationTime(const char* path);

private:
    void ScheduleCheck();

    int64_t _lastModified;
};
