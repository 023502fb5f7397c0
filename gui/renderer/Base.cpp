#include "gui/renderer/Base.h"

#include "gui/TextConversion.h"

#include <cmath>

namespace Gui
{
namespace Renderer
{
void Base::DrawMissingImage(Rect rect)
{
    SetDrawColor(Colors::Red);
    DrawFilledRect(rect);
}

void Base::RenderText(Font* font, Point pos, const std::string& text)
{
    RenderText(font, pos, NarrowToWide(text));
}

void Base::RenderText(Font* font, Point pos, const std::wstring& text)
{
    const float size = font->size * Scale();
    for (size_t i = 0; i < text.length(); ++i)
    {
        const wchar_t c = text[i];
        if (c == L' ')
        {
            continue;
        }
        Rect box((int)(pos.x + i * size * 0.4f), pos.y, (int)(size * 0.4f - 1), (int)size);
        if (c == L'l' || c == L'i' || c == L't' || c == L'!')
        {
            box.w = 1;
        }
        else if (c >= L'a' && c <= L'z')
        {
            box.h = (int)(box.h - size * 0.4f);
            box.y = (int)(pos.y + size * 0.5f);
        }
        else if (c == L'.' || c == L',')
        {
            box.y = pos.y + box.h - 2;
            box.w = 2;
            box.h = 2;
            box.x += 2;
        }
        else if (c == L'\'' || c == L'`' || c == L'"')
        {
            box.w = 2;
            box.h = 2;
            box.x += 3;
        }
        if (c == L'o' || c == L'O' || c == L'0')
        {
            DrawOutlineRect(box);
        }
        else
        {
            DrawFilledRect(box);
        }
    }
}

Point Base::MeasureText(Font* font, const std::string& text)
{
    return MeasureText(font, NarrowToWide(text));
}

Point Base::MeasureText(Font* font, const std::wstring& text)
{
    const float size = font->size * Scale();
    return Point((int)(text.length() * size * 0.4f), (int)size);
}

void Base::DrawOutlineRect(Rect rect)
{
    DrawFilledRect(Rect(rect.x, rect.y, rect.w, 1));
    DrawFilledRect(Rect(rect.x, rect.y + rect.h - 1, rect.w, 1));
    DrawFilledRect(Rect(rect.x, rect.y, 1, rect.h));
    DrawFilledRect(Rect(rect.x + rect.w - 1, rect.y, 1, rect.h));
}

void Base::DrawPixel(int x, int y)
{
    DrawFilledRect(Rect(x, y, 1, 1));
}

void Base::DrawCutCornerRect(Rect rect, bool slight)
{
    const int x = rect.x;
    const int y = rect.y;
    const int w = rect.w;
    const int h = rect.h;
    if (slight)
    {
        DrawFilledRect(Rect(x + 1, y, w - 2, 1));
        DrawFilledRect(Rect(x + 1, y + h - 1, w - 2, 1));
        DrawFilledRect(Rect(x, y + 1, 1, h - 2));
        DrawFilledRect(Rect(x + w - 1, y + 1, 1, h - 2));
        return;
    }
    DrawPixel(x + 1, y + 1);
    DrawPixel(x + w - 2, y + 1);
    DrawPixel(x + 1, y + h - 2);
    DrawPixel(x + w - 2, y + h - 2);
    DrawFilledRect(Rect(x + 2, y, w - 4, 1));
    DrawFilledRect(Rect(x + 2, y + h - 1, w - 4, 1));
    DrawFilledRect(Rect(x, y + 2, 1, h - 4));
    DrawFilledRect(Rect(x + w - 1, y + 2, 1, h - 4));
}

void Base::Translate(int& x, int& y)
{
    x = (int)std::ceil((x + _renderOffset.x) * _scale);
    y = (int)std::ceil((y + _renderOffset.y) * _scale);
}

void Base::Translate(Rect& rect)
{
    Translate(rect.x, rect.y);
    rect.w = (int)std::ceil(rect.w * _scale);
    rect.h = (int)std::ceil(rect.h * _scale);
}

void Base::AddRenderOffset(const Rect& offset)
{
    _renderOffset.x += offset.x;
    _renderOffset.y += offset.y;
}

void Base::AddClipRegion(Rect rect)
{
    rect.x = _renderOffset.x;
    rect.y = _renderOffset.y;
    Rect out = rect;
    if (rect.x < _clipRegion.x)
    {
        out.w -= _clipRegion.x - out.x;
        out.x = _clipRegion.x;
    }
    if (rect.y < _clipRegion.y)
    {
        out.h -= _clipRegion.y - out.y;
        out.y = _clipRegion.y;
    }
    if (rect.x + rect.w > _clipRegion.x + _clipRegion.w)
    {
        out.w = _clipRegion.x + _clipRegion.w - out.x;
    }
    if (rect.y + rect.h > _clipRegion.y + _clipRegion.h)
    {
        out.h = _clipRegion.y + _clipRegion.h - out.y;
    }
    _clipRegion = out;
}
}
}
