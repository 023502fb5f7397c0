#pragma once

#include "engine/log/DeveloperLog.h"

#include <string>
#include <vector>

// A log that keeps every line it is given, for checking what reached a log.
class CapturingLog : public DeveloperLog
{
public:
    void Log(const String& text) override { Lines.push_back(text); }

    std::vector<String> Lines;
};

// How many of the log's lines start with prefix and contain part.
inline int CountLines(const CapturingLog& log, const std::string& prefix, const std::string& part = "")
{
    int count = 0;
    for (const std::string& line : log.Lines)
        count += line.compare(0, prefix.size(), prefix) == 0 && line.find(part) != std::string::npos ? 1 : 0;
    return count;
}
