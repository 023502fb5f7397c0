#pragma once

#include "engine/log/DeveloperLog.h"

#include <vector>

// A log that keeps every line it is given, for checking what reached a log.
class CapturingLog : public DeveloperLog
{
public:
    void Log(const String& text) override { Lines.push_back(text); }

    std::vector<String> Lines;
};
