#include "engine/log/CompoundLog.h"

#include "engine/log/SystemLog.h"

#include <algorithm>

CompoundLog& CompoundLog::GetSystemLog()
{
    // Deliberately leaked: logging must keep working during static destruction.
    static CompoundLog* systemLog = nullptr;
    if (systemLog == nullptr)
    {
        systemLog = new CompoundLog();
        systemLog->AddLog(new SystemLog());
    }
    return *systemLog;
}

CompoundLog::CompoundLog() : _passingOn(false) {}

CompoundLog::~CompoundLog() {}

void CompoundLog::AddLog(DeveloperLog* log)
{
    if (log == nullptr)
    {
        GetSystemLog().Log("WARNING: CompoundLog::AddLog was given no log.");
        return;
    }
    if (log == this)
    {
        GetSystemLog().Log("WARNING: A CompoundLog can't be added to itself.");
        return;
    }
    if (std::find(_logs.begin(), _logs.end(), log) == _logs.end())
        _logs.push_back(log);
}

void CompoundLog::RemoveLog(DeveloperLog* log)
{
    _logs.erase(std::remove(_logs.begin(), _logs.end(), log), _logs.end());
}

void CompoundLog::Log(const String& text)
{
    if (_passingOn)
        return;
    _passingOn = true;
    for (size_t i = 0; i < _logs.size(); ++i)
        _logs[i]->Log(text);
    _passingOn = false;
}
