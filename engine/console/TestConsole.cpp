#include "engine/console/TestConsole.h"

TestConsole::TestConsole()
{
    SetPrompt("::>");
}

TestConsole::~TestConsole()
{
}

void TestConsole::Execute(const String& input)
{
    WriteToOutput("Test Console Echo: " + input);
}

StringList TestConsole::GetCompletions(const String& /*input*/)
{
    return StringList();
}
