#include "engine/scripting/LuaWrite.h"

#include "engine/console/Console.h"
#include "engine/core/World.h"

void LuaWrite(const String& text)
{
    Console* console = World::GetInstance()->GetConsole();
    if (console != 0)
        console->WriteToOutput(text + "\n");
}
