#pragma once

#include "engine/console/DistinctCharacters.h"
#include "engine/util/StringTypes.h"

// The base of the in-game text consoles: a one-line input with a cursor, a
// history of accepted lines, completion candidates, an output buffer and a
// blinking caret, drawn over the top half of the window while open.
// Derived classes decide what an accepted line does and where completions
// come from. The World holds one console; the window's key and character
// callbacks hand it keys and characters first.
class Console
{
public:
    // Registers the fonts "Console" and "ConsoleSmall" unless both are
    // registered already.
    Console();
    virtual ~Console();

    // Runs an accepted line (possibly empty).
    virtual void Execute(const String& input) = 0;
    // The completions of the input; asked only from three characters on.
    virtual StringList GetCompletions(const String& input) = 0;

    // Character input: the whole code point. While closed returns false and
    // takes nothing. While open returns true; the grave accent closes the
    // console, codes 32..125 are inserted at the cursor, all others are refused.
    bool GetInput(unsigned int codepoint);
    // Key press (the window library's key codes). While closed returns false;
    // while open takes every key and returns true.
    bool GetSpecialInputDown(int key);

    // Appends text (tabs expanded) to the output.
    void WriteToOutput(const String& text);
    // Draws the open console over the top half of the window; needs a current
    // GL context and a Camera. Does nothing while closed.
    void Render();
    // Blinks the caret.
    void Update(float dt);

    void ToggleConsole();
    void Enable(bool enable = true);
    bool IsOpen() const;
    // The grave accent (96): the key that opens and closes the console.
    char GetToggleConsoleKey() const;
    void SetPrompt(const String& prompt);
    unsigned int GetTabWidth() const;

    // Empties the candidates for input shorter than three characters,
    // otherwise asks GetCompletions.
    void RefreshAutoCompletions();
    // Enter: executes the input, records it in the history, empties the line.
    void AcceptCurrentInput();
    // Tab: replaces the input with the next of the first six candidates.
    void AcceptAutocomplete();
    // Up (-1) and Down (+1) through the history.
    void AdvanceInputHistory(int delta);

    // What is on show, for derived consoles and for checking.
    const String& GetCurrentInput() const { return _input; }
    unsigned int GetCursorPosition() const { return _cursor; }
    const String& GetPrompt() const { return _prompt; }
    // Everything ever written, tabs expanded, and the same split at line breaks.
    const String& GetOutputText() const { return _outputText; }
    const StringList& GetOutputLines() const { return _outputLines; }
    const StringList& GetCompletionCandidates() const { return _completions; }

protected:
    // Tab stop distance for output expansion.
    void SetTabWidth(unsigned int tabWidth);

private:
    // Window-pixel layout of one frame, from the window height.
    struct Layout
    {
        int Width, Height, Gap, LineHeight, PanelHeight, InputBarBottom;
    };

    String ExpandTabs(const String& text) const;
    // Splits only the new text into lines, continuing an unfinished last line.
    void AppendOutputLines(const String& text);
    // Takes the heights of lines written since the last frame into the tallest line;
    // done while drawing, when the font may build its glyph textures. Each line is measured
    // on its distinct characters, and a continued line only when it gained new ones, so the
    // cost follows what was written.
    void MeasureNewOutputLines();
    void MeasureLine(const String& characters);
    // The start of line that reaches at least width pixels past where it is drawn (all of it
    // when it is shorter), cut between characters: the glyphs after it lie beyond the window.
    static String VisiblePart(const String& line, float width);
    void RemoveCharacter(unsigned int position);

    void DrawOutput(const Layout& layout) const;
    void DrawInputLine(const Layout& layout) const;
    void DrawCompletions(const Layout& layout) const;
    // A filled box in the current colour, its lower edge bottom pixels below the top of
    // the window, reaching height pixels upwards.
    static void DrawBox(int x, int bottom, int width, int height);

    String _input;
    StringList _history;
    int _historyIndex;
    String _prompt;
    StringList _outputLines;
    String _outputText;
    float _tallestLine;
    StringList _completions;
    unsigned int _cursor;
    unsigned int _tabWidth;
    float _caretTimer;
    bool _caretShown;
    bool _open;
    // Output lines from here on have not been measured yet.
    size_t _firstUnmeasuredLine;
    // The characters of the last output line once it has been measured, and whether a
    // write that continued the line brought new ones since.
    DistinctCharacters _lastLineCharacters;
    bool _lastLineGrew;
};
