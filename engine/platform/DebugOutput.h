#pragma once

// The debugger's output channel: unbuffered standard error.
namespace Platform
{
    // Writes text as is (no newline added); a null text writes nothing.
    void WriteDebugOutput(const char* text);
}
