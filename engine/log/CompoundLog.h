#pragma once

#include "engine/log/DeveloperLog.h"

#include <vector>

// Passes each line on to every member log, in the order they were added.
// Members are not owned and must outlive their membership.
class CompoundLog : public DeveloperLog
{
public:
    // The process-wide log: created on first use with a SystemLog in it, never deleted.
    static CompoundLog& GetSystemLog();

    CompoundLog();
    virtual ~CompoundLog();

    // Adding a log that is already a member, this log itself, or null changes nothing.
    void AddLog(DeveloperLog* log);
    // Drops log from the members; not being one is fine.
    void RemoveLog(DeveloperLog* log);
    void Log(const String& text) override;

private:
    std::vector<DeveloperLog*> _logs;
    // Set while a line is being passed on, so logs that contain each other
    // can't recurse without end.
    bool _passingOn;
};
