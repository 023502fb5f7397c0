#include "engine/console/Console.h"

Console::Console()
    : _historyIndex(0), _tallestLine(0.0f), _cursor(0), _tabWidth(8), _caretTimer(0.0f),
      _caretShown(true), _open(false)
{
}

Console::~Console()
{
}

bool Console::GetInput(unsigned int codepoint)
{
    if (!_open)
        return false;
    if (codepoint == static_cast<unsigned int>(GetToggleConsoleKey()))
    {
        _open = false;
        return true;
    }
    // Refused before narrowing, so no code point can alias a printable byte.
    if (codepoint >= 32 && codepoint <= 125)
    {
        _input.insert(_cursor, 1, static_cast<char>(codepoint));
        ++_cursor;
        RefreshAutoCompletions();
    }
    return true;
}

bool Console::GetSpecialInputDown(int /*key*/)
{
    return _open;
}

void Console::WriteToOutput(const String& text)
{
    _outputText += text;
}

void Console::Render()
{
}

void Console::Update(float dt)
{
    _caretTimer += dt;
    if (_caretTimer > 0.5f)
    {
        _caretTimer = 0.0f;
        _caretShown = !_caretShown;
    }
}

void Console::ToggleConsole()
{
    _open = !_open;
}

void Console::Enable(bool enable)
{
    _open = enable;
}

bool Console::IsOpen() const
{
    return _open;
}

char Console::GetToggleConsoleKey() const
{
    return '`';
}

void Console::SetPrompt(const String& prompt)
{
    _prompt = prompt;
}

unsigned int Console::GetTabWidth() const
{
    return _tabWidth;
}

void Console::SetTabWidth(unsigned int tabWidth)
{
    _tabWidth = tabWidth;
}

void Console::RefreshAutoCompletions()
{
    if (_input.size() < 3)
        _completions.clear();
    else
        _completions = GetCompletions(_input);
}

void Console::AcceptCurrentInput()
{
    Execute(String(_input));
    if (!_input.empty())
    {
        _history.push_back(_input);
        _historyIndex = static_cast<int>(_history.size());
    }
    _input.clear();
    _cursor = 0;
}

void Console::AcceptAutocomplete()
{
}

void Console::AdvanceInputHistory(int /*delta*/)
{
}
