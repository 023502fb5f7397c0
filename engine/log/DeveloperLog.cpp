#include "engine/log/DeveloperLog.h"

#include "engine/log/CompoundLog.h"

#include <cstdarg>
#include <cstdio>

// A dead log leaves the system log, so a log that a script added and then let go of, or a
// test's capture, can never be written to after it is gone.
DeveloperLog::~DeveloperLog() { CompoundLog::GetSystemLog().RemoveLog(this); }

void DeveloperLog::Printf(const char* format, ...)
{
    if (format == nullptr)
    {
        Log("ERROR: DeveloperLog::Printf was called without a format.");
        return;
    }

    char buffer[MaxLineLength + 1];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);

    if (written < 0)
    {
        Log(String("ERROR: DeveloperLog::Printf could not format \"") + format + "\".");
        return;
    }
    Log(buffer);
}
