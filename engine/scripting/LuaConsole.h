#pragma once

#include "engine/console/Console.h"

// The in-game script console: runs each accepted line in the one script state, lets a
// statement run on over several lines, hands results to the script "print" and asks the
// script "getAutoCompletions" for completions. A first line starting with "=" prints the
// value of the expression after it.
class LuaConsole : public Console
{
public:
    // Writes the greeting to the output.
    LuaConsole();
    ~LuaConsole() override;

    void Execute(const String& input) override;
    StringList GetCompletions(const String& input) override;

    // True while an unfinished statement waits for more lines.
    bool IsContinuing() const { return !_firstLine; }

private:
    void EndChunk();

    String _primaryPrompt;
    String _continuationPrompt;
    bool _firstLine;
    // The pending lines, joined by line breaks so a "--" comment ends with its line.
    String _chunk;
};
