#include "engine/log/ConsoleLog.h"

#include "engine/console/Console.h"
#include "engine/core/World.h"

ConsoleLog::~ConsoleLog()
{
}

void ConsoleLog::Log(const String& text)
{
    Console* console = World::GetInstance()->GetConsole();
    if (console != 0)
        console->WriteToOutput(text + "\n");
}
