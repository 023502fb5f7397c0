#pragma once

#include "engine/util/StringTypes.h"

// Lets the compiler check Printf's arguments against its format; the script
// binding generator sees nothing.
#if defined(__GNUC__) && !defined(SWIG)
#define ZARVO_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define ZARVO_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

// The base of every log. A line carries no level: its text starts with
// "ERROR: " or "WARNING: " where it reports one.
class DeveloperLog
{
public:
    // Longest text that Printf passes on; longer output is cut here.
    static const int MaxLineLength = 1023;

    virtual ~DeveloperLog();

    virtual void Log(const String& text) = 0;

    // Formats like printf and logs the result, cut to MaxLineLength characters.
    void Printf(const char* format, ...) ZARVO_PRINTF_FORMAT(2, 3);
};
