#include "gui/controls/Text.h"

#include "gui/platform/Debug.h"
#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"
#include "gui/skin/ColorIndex.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace Gui
{
namespace ControlsInternal
{
GUI_CONTROL_IDENTIFIER(Text, "Controls::Base:Text")

namespace
{
const char* kNoFont = "Text::RefreshSize() - No Font!!\n";

// Words for wrapping: a space stays at the end of its word, a newline is a word of its own,
// and an empty word closes the list so the last line is always flushed.
std::vector<std::wstring> SplitWords(const std::wstring& text)
{
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : text)
    {
        if (c == L'\n')
        {
            if (!word.empty())
            {
                words.push_back(word);
            }
            words.push_back(L"\n");
            word.clear();
            continue;
        }
        word += c;
        if (c == L' ')
        {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
    {
        words.push_back(word);
    }
    words.push_back(L"");
    return words;
}
}

Text::Text(Controls::Base* parent, const std::string& name) : Controls::Base(parent, name)
{
    SetMouseInputEnabled(false);
    Skin::Base* skin = GetSkin();
    if (skin != nullptr)
    {
        _color = skin->Colors[Skin::ColorIndex::LabelNormal];
    }
}

void Text::SetString(const TextPair& text)
{
    if (text == _string)
    {
        return;
    }
    _string = text;
    _textDirty = true;
    Invalidate();
}

void Text::SetFont(Font* font)
{
    if (font == _font)
    {
        return;
    }
    _font = font;
    _textDirty = true;
    for (Text* line : _lines)
    {
        line->SetFont(font);
    }
    Invalidate();
}

// Unchanged colours stop here: a redraw climbs to the owning control, which may set its
// text colour again from UpdateColours.
void Text::SetTextColor(const Color& color)
{
    if (color == _color)
    {
        return;
    }
    _color = color;
    Redraw();
}

void Text::SetTextColorOverride(const Color& color)
{
    if (color == _colorOverride)
    {
        return;
    }
    _colorOverride = color;
    Redraw();
}

void Text::SetWrap(bool wrap)
{
    if (wrap == _wrap)
    {
        return;
    }
    _wrap = wrap;
    _textDirty = true;
    Invalidate();
}

void Text::Layout(Skin::Base* skin)
{
    if (_textDirty)
    {
        RefreshSize();
        _textDirty = false;
    }
    Controls::Base::Layout(skin);
}

void Text::Render(Skin::Base* skin)
{
    if (_wrap || _string.empty() || _font == nullptr)
    {
        return;
    }
    Renderer::Base* render = skin->GetRender();
    render->SetDrawColor(_colorOverride.a != 0 ? _colorOverride : _color);
    render->RenderText(_font, Point(GetPadding().left, GetPadding().top), _string.GetUnicode());
}

Point Text::Measure(const std::wstring& text)
{
    Skin::Base* skin = GetSkin();
    if (skin == nullptr || skin->GetRender() == nullptr)
    {
        return Point(0, 0);
    }
    return skin->GetRender()->MeasureText(_font, text);
}

void Text::RefreshSize()
{
    if (_wrap)
    {
        RefreshSizeWrap();
        return;
    }
    if (!Assert(_font != nullptr, kNoFont))
    {
        return;
    }
    Point size(1, (int)_font->size);
    if (!_string.empty())
    {
        size = Measure(_string.GetUnicode());
    }
    const Padding& padding = GetPadding();
    size.x += padding.left + padding.right;
    size.y += padding.top + padding.bottom;
    if (size.x == Width() && size.y == Height())
    {
        return;
    }
    if (size.y < (int)_font->size)
    {
        size.y = (int)_font->size;
    }
    SetSize(size.x, size.y);
    InvalidateParent();
    Invalidate();
}

void Text::DeleteLines()
{
    // The lines are children: deleting one unlinks it from this Text.
    for (Text* line : _lines)
    {
        delete line;
    }
    _lines.clear();
}

int Text::WrapWidth() const
{
    const Controls::Base* parent = GetParent();
    if (parent == nullptr)
    {
        return Width();
    }
    const Padding& padding = parent->GetPadding();
    return std::max(0, parent->Width() - padding.left - padding.right);
}

void Text::RefreshSizeWrap()
{
    DeleteLines();
    const std::vector<std::wstring> words = SplitWords(_string.GetUnicode());
    // Recorded before the font check too: the label wraps again only when the width changes,
    // so a missing font is reported once, not on every layout.
    const int available = WrapWidth();
    _wrappedWidth = available;
    if (!Assert(_font != nullptr, kNoFont))
    {
        return;
    }
    // A space covers no pixels, but the renderer measures blank text a whole line high.
    const int lineHeight = Measure(L" ").y;
    std::wstring line;
    int y = 0;
    for (size_t i = 0; i < words.size(); ++i)
    {
        const std::wstring& word = words[i];
        const std::wstring before = line;
        line += word;
        const bool last = i + 1 == words.size();
        // A word wider than the whole width stays on a line of its own rather than leaving
        // an empty line before it.
        const bool tooWide = Measure(line).x > available && !before.empty();
        if (tooWide || word == L"\n" || last)
        {
            Text* child = new Text(this);
            child->SetFont(_font);
            child->SetString(before);
            child->RefreshSize();
            child->SetPos(0, y);
            _lines.push_back(child);
            line = word == L"\n" ? L"" : word;
            y += lineHeight;
        }
    }
    SetSize(available, ChildrenSize().y);
    InvalidateParent();
    Invalidate();
}

Text* Text::GetLine(int index)
{
    if (index < 0 || index >= (int)_lines.size())
    {
        return nullptr;
    }
    auto it = _lines.begin();
    std::advance(it, index);
    return *it;
}

int Text::GetLineFromChar(int index)
{
    int line = 0;
    int characters = 0;
    for (Text* child : _lines)
    {
        characters += child->Length();
        if (characters > index)
        {
            break;
        }
        ++line;
    }
    return line;
}

int Text::GetStartCharFromLine(int line)
{
    int start = 0;
    int i = 0;
    for (Text* child : _lines)
    {
        if (i++ >= line)
        {
            break;
        }
        start += child->Length();
    }
    return std::max(0, std::min(start, Length()));
}

int Text::GetEndCharFromLine(int line)
{
    Text* child = GetLine(line);
    const int end = GetStartCharFromLine(line) + (child != nullptr ? child->Length() : 0);
    return std::max(0, std::min(end, Length()));
}

int Text::GetCharPosOnLine(int index)
{
    Text* line = GetLine(GetLineFromChar(index));
    if (line == nullptr)
    {
        return 0;
    }
    return index - GetStartCharFromLine(GetLineFromChar(index));
}

Rect Text::GetCharacterPosition(int index)
{
    if (!_lines.empty())
    {
        const int lineIndex = GetLineFromChar(index);
        Text* line = GetLine(lineIndex);
        if (line != nullptr)
        {
            Rect r = line->GetCharacterPosition(index - GetStartCharFromLine(lineIndex));
            r.x += line->X();
            r.y += line->Y();
            return r;
        }
    }
    if (_string.empty() || index <= 0)
    {
        return Rect(1, 0, 0, Measure(L" ").y);
    }
    const Point size = Measure(_string.GetUnicode().substr(0, index));
    return Rect(size.x, 0, 0, size.y);
}

int Text::GetClosestCharacter(Point point)
{
    if (!_lines.empty())
    {
        int lineIndex = 0;
        for (Text* line : _lines)
        {
            if (point.y >= line->Y() && point.y <= line->Bottom())
            {
                const int inLine = line->GetClosestCharacter(Point(point.x - line->X(), point.y - line->Y()));
                return inLine + GetStartCharFromLine(lineIndex) - 1;
            }
            ++lineIndex;
        }
    }
    int best = 0;
    int bestDistance = 4096;
    for (int i = 0; i <= Length(); ++i)
    {
        const Rect r = GetCharacterPosition(i);
        const int distance = std::abs(r.x - point.x) + std::abs(r.y - point.y);
        if (distance <= bestDistance)
        {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}
}
}
