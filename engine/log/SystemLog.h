#pragma once

#include "engine/log/DeveloperLog.h"

// Writes each line to the debugger output.
class SystemLog : public DeveloperLog
{
public:
    virtual ~SystemLog();
    void Log(const String& text) override;
};
