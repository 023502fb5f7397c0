#pragma once

#include "engine/log/DeveloperLog.h"

// Writes each line into the in-game console's output, when the world has a console.
class ConsoleLog : public DeveloperLog
{
public:
    virtual ~ConsoleLog();
    virtual void Log(const String& text);
};
