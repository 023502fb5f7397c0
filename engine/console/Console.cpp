#include "engine/console/Console.h"

#include "engine/rendering/FontRegistry.h"
#include "engine/platform/KeyCodes.h"
#include "engine/util/StringUtil.h"


#include <algorithm>

namespace
{
const char* const kConsoleFontFile = "Resources/Fonts/Inconsolata.otf";
// Printable ASCII up to "}": "~" and everything past it are refused.
const unsigned int kFirstAcceptedCode = 32;
const unsigned int kLastAcceptedCode = 125;
// Completions are asked for only from this many characters of input on.
const size_t kCompletionMinimumInput = 3;
// Tab compares the input with this many candidates, but cycles through fewer.
const size_t kCompletionsCompared = 8;
const size_t kCompletionsCycled = 6;
const float kCaretBlinkSeconds = 0.5f;

void RegisterConsoleFonts()
{
    if (IsFontRegistered("Console") && IsFontRegistered("ConsoleSmall"))
        return;
    RegisterFont(kConsoleFontFile, 24, "Console");
    RegisterFont(kConsoleFontFile, 18, "ConsoleSmall");
}
}

Console::Console()
    : _historyIndex(0), _tallestLine(0.0f), _cursor(0), _tabWidth(8), _caretTimer(0.0f),
      _caretShown(true), _open(false), _firstUnmeasuredLine(0), _lastLineGrew(false)
{
    RegisterConsoleFonts();
}

Console::~Console()
{
}

bool Console::GetInput(unsigned int codepoint)
{
    if (!_open)
        return false;
    if (codepoint == static_cast<unsigned char>(GetToggleConsoleKey()))
    {
        _open = false;
        return true;
    }
    // Checked on the whole code point, before any narrowing, so no character outside
    // the range can alias a byte inside it.
    if (codepoint >= kFirstAcceptedCode && codepoint <= kLastAcceptedCode)
    {
        _input.insert(_cursor, 1, static_cast<char>(codepoint));
        ++_cursor;
        RefreshAutoCompletions();
    }
    return true;
}

bool Console::GetSpecialInputDown(int key)
{
    if (!_open)
        return false;
    switch (key)
    {
    case KEY_ESCAPE:
    case KEY_GRAVE_ACCENT:
        _open = false;
        break;
    case KEY_ENTER:
        AcceptCurrentInput();
        _completions.clear();
        break;
    case KEY_TAB:
        AcceptAutocomplete();
        break;
    case KEY_DELETE:
        if (_cursor < _input.size())
            RemoveCharacter(_cursor);
        break;
    case KEY_BACKSPACE:
        if (_cursor > 0)
        {
            --_cursor;
            RemoveCharacter(_cursor);
        }
        break;
    case KEY_UP:
        AdvanceInputHistory(-1);
        break;
    case KEY_DOWN:
        AdvanceInputHistory(1);
        break;
    case KEY_RIGHT:
        _cursor = std::min<unsigned int>(_cursor + 1, _input.size());
        break;
    case KEY_LEFT:
        if (_cursor > 0)
            --_cursor;
        break;
    case KEY_END:
        _cursor = _input.size();
        break;
    case KEY_HOME:
        _cursor = 0;
        break;
    default:
        break;
    }
    // Every key is taken while open, so none reaches the key bindings (Escape included).
    return true;
}

void Console::RemoveCharacter(unsigned int position)
{
    _input.erase(position, 1);
    RefreshAutoCompletions();
}

void Console::Update(float dt)
{
    _caretTimer += dt;
    if (_caretTimer > kCaretBlinkSeconds)
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
    // A zero width would leave no tab stop to move to.
    _tabWidth = std::max(tabWidth, 1u);
}

void Console::RefreshAutoCompletions()
{
    if (_input.size() < kCompletionMinimumInput)
        _completions.clear();
    else
        _completions = GetCompletions(_input);
}

void Console::AcceptCurrentInput()
{
    // A copy: Execute may write to the console or change its input.
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
    if (_completions.empty())
        return;
    const size_t compared = std::min(_completions.size(), kCompletionsCompared);
    size_t chosen = 0;
    for (size_t i = 0; i < compared; ++i)
    {
        if (_completions[i] != _input)
            continue;
        const bool wrapsAround = i + 1 == _completions.size() || i + 1 == kCompletionsCycled;
        chosen = wrapsAround ? 0 : i + 1;
        break;
    }
    _input = _completions[chosen];
    _cursor = _input.size();
}

void Console::AdvanceInputHistory(int delta)
{
    if (_history.empty())
        return;
    const long long size = static_cast<long long>(_history.size());
    // Wide enough that no delta can overflow the sum.
    const long long moved = static_cast<long long>(_historyIndex) + delta;
    if (delta >= 0 && moved >= size)
    {
        _input.clear();
        _historyIndex = static_cast<int>(size);
        _cursor = 0;
        return;
    }
    // Up past the oldest entry stays on it.
    _historyIndex = static_cast<int>(std::max(0LL, std::min(moved, size - 1)));
    _input = _history[_historyIndex];
    _cursor = _input.size();
}

void Console::WriteToOutput(const String& text)
{
    const String expanded = ExpandTabs(text);
    AppendOutputLines(expanded);
    _outputText += expanded;
}

String Console::ExpandTabs(const String& text) const
{
    // Tab stops count from the start of this text, not from its last line break.
    String expanded;
    expanded.reserve(text.size());
    size_t copied = 0;
    for (size_t tab = text.find('\t'); tab != String::npos; tab = text.find('\t', copied))
    {
        expanded.append(text, copied, tab - copied);
        expanded.append(_tabWidth - expanded.size() % _tabWidth, ' ');
        copied = tab + 1;
    }
    expanded.append(text, copied, String::npos);
    return expanded;
}

void Console::AppendOutputLines(const String& text)
{
    // Gives the lines that splitting the whole output text would: an unfinished last
    // line goes on with the first piece, and a final break adds no empty line.
    const StringList pieces = SplitString(text, "\n", false);
    if (pieces.empty())
        return;
    const bool continuesLastLine = !_outputText.empty() && _outputText.back() != '\n';
    StringList::const_iterator piece = pieces.begin();
    if (continuesLastLine)
    {
        // A line measured already is measured again only on characters it did not have.
        const bool measured = _firstUnmeasuredLine == _outputLines.size();
        if (measured && _lastLineCharacters.Add(*piece))
            _lastLineGrew = true;
        _outputLines.back() += *piece++;
    }
    _outputLines.insert(_outputLines.end(), piece, pieces.end());
}
