#include "gui/skin/Base.h"

#include "gui/controls/Base.h"
#include "gui/renderer/Base.h"
#include "gui/skin/ColorIndex.h"

namespace Gui
{
namespace Skin
{
namespace
{
// The rows or columns of an arrow: short, longer, longest, longer, short.
const int kArrowSteps[5] = {1, 2, 3, 2, 1};

void FillTruncated(Renderer::Base* renderer, float x, float y, float w, float h)
{
    renderer->DrawFilledRect(Rect((int)x, (int)y, (int)w, (int)h));
}
}

Base::~Base()
{
    ReleaseFont(&_defaultFont);
}

void Base::ReleaseFont(Font* font)
{
    if (font != nullptr && _render != nullptr)
    {
        _render->FreeFont(font);
    }
}

void Base::SetDefaultFont(const std::wstring& face, float size)
{
    _defaultFont.facename = face;
    _defaultFont.size = size;
}

void Base::DrawArrowDown(Rect rect)
{
    const float cw = rect.w * 0.2f;
    const float ch = rect.h * 0.2f;
    for (int k = 0; k < 5; ++k)
    {
        FillTruncated(_render, rect.x + cw * k, rect.y + ch, cw, ch * kArrowSteps[k]);
    }
}

void Base::DrawArrowUp(Rect rect)
{
    const float cw = rect.w * 0.2f;
    const float ch = rect.h * 0.2f;
    for (int k = 0; k < 5; ++k)
    {
        FillTruncated(_render, rect.x + cw * k, rect.y + ch * (4 - kArrowSteps[k]), cw, ch * kArrowSteps[k]);
    }
}

void Base::DrawArrowLeft(Rect rect)
{
    const float cw = rect.w * 0.2f;
    const float ch = rect.h * 0.2f;
    for (int k = 0; k < 5; ++k)
    {
        FillTruncated(_render, rect.x + cw * (4 - kArrowSteps[k]), rect.y + ch * k, cw * kArrowSteps[k], ch);
    }
}

void Base::DrawArrowRight(Rect rect)
{
    const float cw = rect.w * 0.2f;
    const float ch = rect.h * 0.2f;
    for (int k = 0; k < 5; ++k)
    {
        FillTruncated(_render, rect.x + cw, rect.y + ch * k, cw * kArrowSteps[k], ch);
    }
}

void Base::DrawCheck(Rect rect)
{
    const float cw = rect.w * 0.2f;
    const float ch = rect.h * 0.2f;
    const float squares[5][2] = {{0, 3}, {1, 4}, {2, 3}, {3, 1}, {4, 0}};
    for (const float* square : squares)
    {
        FillTruncated(_render, rect.x + cw * square[0], rect.y + ch * square[1], cw * 2, ch * 2);
    }
}

void Base::DrawTreeNode(Controls::Base*, bool expanded, bool, int labelHeight, int, int connectorY, int childExtent,
                        bool noConnector)
{
    _render->SetDrawColor(Colors[6]);
    if (!noConnector)
    {
        _render->DrawFilledRect(Rect(8, connectorY, 7, 1));
    }
    if (expanded)
    {
        _render->DrawFilledRect(Rect(21, labelHeight + 1, 1, connectorY - labelHeight + childExtent));
    }
}

void Base::DrawTwoColumnRow(Controls::Base* control, int splitX, bool firstFlag, bool secondFlag)
{
    const Rect& bounds = control->GetRenderBounds();
    _render->SetDrawColor(Colors[firstFlag ? 14 : secondFlag ? 15 : 13]);
    _render->DrawFilledRect(Rect(0, bounds.y, splitX, bounds.h));
    _render->SetDrawColor(Colors[firstFlag ? 11 : secondFlag ? 12 : 10]);
    _render->DrawFilledRect(Rect(splitX, bounds.y, 1, bounds.h));
    _render->DrawFilledRect(Rect(bounds.x, bounds.y + bounds.h - 1, bounds.w, 1));
}

void Base::DrawToolTip(Controls::Base* control)
{
    const Rect& bounds = control->GetRenderBounds();
    _render->SetDrawColor(Colors[ColorIndex::TooltipBackground]);
    _render->DrawFilledRect(bounds);
    _render->SetDrawColor(Colors[ColorIndex::TooltipText]);
    _render->DrawOutlineRect(bounds);
}

void Base::DrawCornerStrips(Controls::Base* control, int stripWidth, int stripHeight)
{
    const Rect& bounds = control->GetRenderBounds();
    _render->SetDrawColor(Colors[19]);
    _render->DrawFilledRect(Rect(bounds.x, bounds.y, stripWidth, bounds.h));
    _render->DrawFilledRect(Rect(bounds.x + stripWidth, bounds.y, bounds.w - stripWidth, stripHeight));
}
}
}
