#include "engine/console/Console.h"

#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/FontSafeText.h"
#include "engine/rendering/TextBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{
const char* const kConsoleFont = "ConsoleSmall";
// Rows of the completion list: six candidates and, when there are more, a "..." row.
const size_t kCompletionRows = 7;
const size_t kCompletionsListed = 6;
// Lines up to this long are drawn whole without measuring where they leave the window.
const size_t kAlwaysDrawnWhole = 256;

// Draws the console's lines in one colour, in order: through the shared text batch where it
// takes them, by the font library otherwise. Both give the same pixels.
class ConsoleLines
{
public:
    explicit ConsoleLines(const Color& color)
        : _glyphs(TextBatch::IsEnabled() ? FindFontGlyphs(kConsoleFont) : 0),
          _batch(TextBatch::Shared()),
          _color(color)
    {
    }

    ConsoleLines(const ConsoleLines&) = delete;
    ConsoleLines& operator=(const ConsoleLines&) = delete;

    ~ConsoleLines()
    {
        _run.reset();
        _batch.Flush();
    }

    void Draw(const String& line, int x, int y)
    {
        if (_glyphs != 0 && _batch.Add(*_glyphs, line, x, y, _color))
            return;
        // What waits in the batch lies under this line; the batch can't draw while a run is
        // open, so the run opens after it and stays open for the lines after this one.
        if (!_batch.IsEmpty())
        {
            _run.reset();
            _batch.Flush();
        }
        if (!_run)
            _run.emplace(kConsoleFont);
        glColor4f(_color.R, _color.G, _color.B, _color.A);
        _run->Draw(line, x, y);
    }

private:
    FontGlyphs* _glyphs;
    TextBatch& _batch;
    Color _color;
    std::optional<ScreenTextRun> _run;
};
}

void Console::Render()
{
    if (!_open)
        return;
    MeasureNewOutputLines();

    Layout layout;
    const Camera* camera = Camera::GetInstance();
    layout.Width = camera->GetWindowWidth();
    layout.Height = camera->GetWindowHeight();
    // Taken from the window each frame, so the console follows a resized window.
    layout.Gap = layout.Height / 192;
    layout.LineHeight = layout.Height / 32 + layout.Gap;
    layout.PanelHeight = layout.Height / 2;
    layout.InputBarBottom = layout.PanelHeight + layout.LineHeight;

    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    DrawBox(0, layout.PanelHeight, layout.Width, layout.PanelHeight);
    DrawOutput(layout);
    DrawInputLine(layout);
    DrawCompletions(layout);
}

void Console::MeasureNewOutputLines()
{
    if (_lastLineGrew)
        MeasureLine(_lastLineCharacters.GetText());
    _lastLineGrew = false;
    for (size_t i = _firstUnmeasuredLine; i < _outputLines.size(); ++i)
    {
        _lastLineCharacters.Clear();
        _lastLineCharacters.Add(_outputLines[i]);
        MeasureLine(_lastLineCharacters.GetText());
    }
    _firstUnmeasuredLine = _outputLines.size();
}

void Console::MeasureLine(const String& characters)
{
    _tallestLine = std::max(_tallestLine, GetTextExtents(characters, kConsoleFont).Y);
}

String Console::VisiblePart(const String& line, float width)
{
    // Doubling the part measured keeps the work near what is shown, however long the line.
    size_t end = 0;
    for (size_t wanted = 64; end < line.size(); wanted *= 2)
    {
        // Whole characters only, cut as the font is handed them, from the start of the line.
        while (end < wanted && end < line.size())
            end = FontSafeText::CharacterEnd(line, end);
        if (GetTextAdvance(line.substr(0, end), kConsoleFont) >= width)
            break;
    }
    return line.substr(0, end);
}

void Console::DrawOutput(const Layout& layout) const
{
    if (_outputLines.empty())
        return;
    const int tallest = static_cast<int>(std::floor(_tallestLine));
    const int step = tallest + layout.Gap;
    // No glyph of a line reaches further below its baseline than the tallest line is high,
    // so lines whose baseline lies further above the window's top than that (and a step
    // more, for rounding at glyph edges) leave no pixel in the window.
    const int topmostVisibleBaseline = -(tallest + step);
    // Across the window likewise: a glyph that starts a line height past its right edge
    // can't reach back into it.
    const float shownWidth = static_cast<float>(layout.Width - layout.Gap + layout.LineHeight);
    ConsoleLines lines(Color(1.0f, 1.0f, 1.0f, 1.0f));
    int y = layout.PanelHeight - layout.Gap;
    for (StringList::const_reverse_iterator line = _outputLines.rbegin();
         line != _outputLines.rend() && y >= topmostVisibleBaseline; ++line, y -= step)
    {
        lines.Draw(line->size() > kAlwaysDrawnWhole ? VisiblePart(*line, shownWidth) : *line, layout.Gap, y);
    }
}

void Console::DrawInputLine(const Layout& layout) const
{
    const int gap = layout.Gap;
    const int bar = layout.InputBarBottom;
    glColor4f(0.0f, 1.0f, 0.0f, 0.375f);
    DrawBox(0, bar, layout.Width, layout.LineHeight);
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    DrawBox(gap / 2, bar - gap / 2, layout.Width - gap, layout.LineHeight - gap);

    const String caret = _caretShown ? "|" : " ";
    const String line = _prompt + _input.substr(0, _cursor) + caret + _input.substr(_cursor);
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    DrawScreenText(line, kConsoleFont, gap / 2 + gap, bar - gap / 2 - gap / 2 - gap);
}

void Console::DrawCompletions(const Layout& layout) const
{
    if (_completions.empty())
        return;
    const int gap = layout.Gap;
    const int lineHeight = layout.LineHeight;
    const int rows = static_cast<int>(std::min(_completions.size(), kCompletionRows));
    const int x = gap / 2 + gap + layout.Height / 24;
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    DrawBox(x - gap, layout.InputBarBottom + lineHeight * rows, layout.Width - (x - gap),
            lineHeight * rows);

    ConsoleLines lines(Color(0.0f, 1.0f, 0.0f, 1.0f));
    int y = layout.InputBarBottom + (lineHeight * 2) / 3;
    for (int row = 0; row < rows; ++row, y += lineHeight)
    {
        const bool isMoreRow = static_cast<size_t>(row) == kCompletionsListed;
        lines.Draw(isMoreRow ? String("...") : _completions[row], x, y);
    }
}

void Console::DrawBox(int x, int bottom, int width, int height)
{
    const Camera* camera = Camera::GetInstance();
    const int windowHeight = camera->GetWindowHeight();
    // The projection counts upwards from the window's bottom edge.
    const GLfloat left = static_cast<GLfloat>(x);
    const GLfloat right = static_cast<GLfloat>(x + width);
    const GLfloat lower = static_cast<GLfloat>(windowHeight - bottom);
    const GLfloat upper = lower + static_cast<GLfloat>(height);
    const GLfloat corners[] = {left, lower, right, lower, left, upper, right, upper};

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, camera->GetWindowWidth(), 0.0, windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
