#include "engine/log/SystemLog.h"

#include "engine/platform/DebugOutput.h"

SystemLog::~SystemLog() {}

void SystemLog::Log(const String& text)
{
    Platform::WriteDebugOutput(text.c_str());
    Platform::WriteDebugOutput("\n");
}
