#pragma once

#include "engine/console/Console.h"

// A console that only echoes what is entered; the World's console until a script
// console takes its place.
class TestConsole : public Console
{
public:
    TestConsole();
    ~TestConsole() override;

    // Echoes the line without a line break, so successive echoes run on in one line.
    void Execute(const String& input) override;
    // Never offers any.
    StringList GetCompletions(const String& input) override;
};
