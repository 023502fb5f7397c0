#pragma once

#include "engine/log/DeveloperLog.h"

// Writes each line into the output of the World's console; lines are dropped while
// the World has no console.
class ConsoleLog : public DeveloperLog
{
public:
    ~ConsoleLog() override;
    void Log(const String& text) override;
};
