#include "gui/skin/TexturedBase.h"

#include "gui/Pos.h"
#include "gui/controls/Base.h"
#include "gui/platform/Debug.h"
#include "gui/renderer/Base.h"
#include "gui/skin/ColorIndex.h"

namespace Gui
{
namespace Skin
{
namespace
{
// Where each palette colour is read, in read order: the swatches sit on two pixel rows near
// the image's bottom edge.
struct PaletteRead
{
    int x, y, index;
};

const PaletteRead kPalette[] = {
    {4, 508, 0},    {12, 508, 1},   {20, 508, 21},  {28, 508, 22},  {20, 500, 23},  {28, 500, 24},
    {36, 508, 25},  {44, 508, 26},  {36, 500, 27},  {44, 500, 28},  {52, 508, 29},  {60, 508, 30},
    {52, 500, 31},  {60, 500, 32},  {68, 508, 2},   {76, 508, 3},   {68, 500, 4},   {76, 500, 5},
    {84, 508, 6},   {92, 508, 7},   {84, 500, 8},   {92, 500, 9},   {100, 508, 10}, {108, 508, 11},
    {100, 500, 12}, {108, 500, 20}, {116, 508, 13}, {124, 508, 14}, {116, 500, 15}, {124, 500, 19},
    {132, 508, 16}, {140, 508, 17}, {132, 500, 18}, {148, 508, 47}, {156, 508, 48}, {148, 500, 33},
    {156, 500, 34}, {164, 508, 35}, {172, 508, 36}, {164, 500, 37}, {172, 500, 38}, {180, 508, 39},
    {188, 508, 40}, {180, 500, 41}, {188, 500, 42}, {196, 508, 43}, {204, 508, 44}, {196, 500, 45},
    {204, 500, 46},
};

// Scroll-button images by arrow direction: left (and anything unknown), up, right, down.
int ScrollButtonIndex(int direction)
{
    switch (direction)
    {
    case Pos::Top:
        return 1;
    case Pos::Right:
        return 2;
    case Pos::Bottom:
        return 3;
    default:
        return 0;
    }
}

template <class Region>
Region& PickState(TexturedBase::States4<Region>& states, bool depressed, bool hovered, bool disabled)
{
    if (disabled)
    {
        return states.Disabled;
    }
    if (depressed)
    {
        return states.Down;
    }
    return hovered ? states.Hovered : states.Normal;
}

template <class Region> Region& PickChecked(TexturedBase::Checkable<Region>& set, bool checked, bool disabled)
{
    if (checked)
    {
        return disabled ? set.DisabledChecked : set.Checked;
    }
    return disabled ? set.Disabled : set.Normal;
}
}

TexturedBase::~TexturedBase()
{
    if (_render != nullptr)
    {
        _texture.Release(_render);
    }
}

void TexturedBase::Init(const TextPair& imageName)
{
    SetDefaultFont(L"Microsoft Sans Serif", 11.0f);
    _texture.Load(imageName, _render);
    if (_texture.failed)
    {
        Debug::Msg("ERROR: Couldn't load the skin image %s; controls are drawn as missing images.\n",
                   imageName.Get().c_str());
    }
    ReadPalette();
    CutRegions();
}

void TexturedBase::ReadPalette()
{
    bool first = true;
    for (const PaletteRead& read : kPalette)
    {
        const Color fallback = first ? Colors::Red : Colors::Yellow;
        first = false;
        Colors[read.index] =
            _render != nullptr ? _render->GetPixelColor(&_texture, read.x, read.y, fallback) : fallback;
    }
}

void TexturedBase::Cut(Bordered& region, int x, int y, int w, int h, int border)
{
    Cut(region, x, y, w, h, Margin(border, border, border, border));
}

void TexturedBase::Cut(Bordered& region, int x, int y, int w, int h, const Margin& borders)
{
    region.Init(&_texture, (float)x, (float)y, (float)w, (float)h, borders, 1.0f);
}

void TexturedBase::Cut(Single& region, int x, int y, int w, int h)
{
    region.Init(&_texture, (float)x, (float)y, (float)w, (float)h);
}

void TexturedBase::CutRegions()
{
    Regions& t = Textures;
    Cut(t.Band, 128, 288, 127, 31, 8);
    Cut(t.TreeSelection, 384, 32, 31, 31, 4);
    Cut(t.Shadow, 448, 0, 31, 31, 8);
    Cut(t.BandAlt, 128, 320, 127, 31, 8);
    Cut(t.Panel.First, 256, 0, 63, 63, 16);
    Cut(t.Panel.Second, 320, 0, 63, 63, 16);
    Cut(t.Panel.Third, 256, 64, 63, 63, 16);
    Cut(t.Panel.Fourth, 320, 64, 63, 63, 16);
    // Margin takes (left, top, right, bottom): the title bar is the tall top border.
    Cut(t.Window.Active, 0, 0, 127, 127, Margin(8, 32, 8, 8));
    Cut(t.Window.Inactive, 128, 0, 127, 127, Margin(8, 32, 8, 8));
    Cut(t.CloseButton.Normal, 32, 448, 31, 31);
    Cut(t.CloseButton.Hovered, 64, 448, 31, 31);
    Cut(t.CloseButton.Down, 96, 448, 31, 31);
    Cut(t.MaximizeButton.Normal, 224, 448, 31, 31);
    Cut(t.MaximizeButton.Hovered, 256, 448, 31, 31);
    Cut(t.MaximizeButton.Down, 288, 448, 31, 31);
    Cut(t.MinimizeButton.Normal, 128, 448, 31, 31);
    Cut(t.MinimizeButton.Hovered, 160, 448, 31, 31);
    Cut(t.MinimizeButton.Down, 192, 448, 31, 31);
    Cut(t.RestoreButton.Normal, 224, 480, 31, 31);
    Cut(t.RestoreButton.Hovered, 256, 480, 31, 31);
    Cut(t.RestoreButton.Down, 288, 480, 31, 31);
    Cut(t.RadioButton.Normal, 464, 32, 15, 15);
    Cut(t.RadioButton.Checked, 448, 32, 15, 15);
    Cut(t.RadioButton.Disabled, 464, 48, 15, 15);
    Cut(t.RadioButton.DisabledChecked, 448, 48, 15, 15);
    Cut(t.CheckBox.Normal, 464, 64, 15, 15);
    Cut(t.CheckBox.Checked, 448, 64, 15, 15);
    Cut(t.CheckBox.Disabled, 464, 80, 15, 15);
    Cut(t.CheckBox.DisabledChecked, 448, 80, 15, 15);
    Cut(t.TextBox.Normal, 0, 150, 127, 21, 4);
    Cut(t.TextBox.Focus, 0, 172, 127, 21, 4);
    Cut(t.TextBox.Disabled, 0, 193, 127, 21, 4);
    Cut(t.LargePanel, 256, 128, 127, 127, 16);
    Cut(t.TwoStateIcon.On, 464, 96, 15, 15);
    Cut(t.TwoStateIcon.Off, 448, 96, 15, 15);
    Cut(t.ProgressBar.Back, 384, 0, 31, 31, 8);
    Cut(t.ProgressBar.Front, 416, 0, 31, 31, 8);
    Cut(t.ScrollBar.TrackV, 384, 208, 15, 127, 4);
    Cut(t.ScrollBar.BarV.Normal, 400, 208, 15, 127, 4);
    Cut(t.ScrollBar.BarV.Hovered, 416, 208, 15, 127, 4);
    Cut(t.ScrollBar.BarV.Down, 432, 208, 15, 127, 4);
    Cut(t.ScrollBar.BarV.Disabled, 448, 208, 15, 127, 4);
    Cut(t.ScrollBar.TrackH, 384, 128, 127, 15, 4);
    Cut(t.ScrollBar.BarH.Normal, 384, 144, 127, 15, 4);
    Cut(t.ScrollBar.BarH.Hovered, 384, 160, 127, 15, 4);
    Cut(t.ScrollBar.BarH.Down, 384, 176, 127, 15, 4);
    Cut(t.ScrollBar.BarH.Disabled, 384, 192, 127, 15, 4);
    for (int k = 0; k < 4; ++k)
    {
        Cut(t.ScrollButton.Normal[k], 464, 208 + 16 * k, 15, 15, 2);
        Cut(t.ScrollButton.Hovered[k], 480, 208 + 16 * k, 15, 15, 2);
        Cut(t.ScrollButton.Down[k], 464, 272 + 16 * k, 15, 15, 2);
        Cut(t.ScrollButton.Disabled[k], 528, 272 + 16 * k, 15, 15, 2);
    }
    Cut(t.MenuArrow, 464, 112, 15, 15);
    Cut(t.MenuCheck, 448, 112, 15, 15);
    Cut(t.ThinStrip, 0, 128, 127, 21, 1);
    Cut(t.Menu.Plain, 128, 192, 127, 63, 8);
    Cut(t.Menu.WithColumn, 128, 128, 127, 63, Margin(24, 8, 8, 8));
    Cut(t.MenuItem.Highlight, 128, 256, 127, 31, 8);
    Cut(t.Button.Normal, 480, 0, 31, 31, 8);
    Cut(t.Button.Hovered, 480, 32, 31, 31, 8);
    Cut(t.Button.Disabled, 480, 64, 31, 31, 8);
    Cut(t.Button.Down, 480, 96, 31, 31, 8);
    Cut(t.TallPanel, 256, 256, 63, 127, 8);
    Cut(t.StateTile.Hovered, 320, 320, 31, 31, 8);
    Cut(t.StateTile.Second, 352, 256, 31, 31, 8);
    Cut(t.StateTile.Plain, 352, 288, 31, 31, 8);
    Cut(t.StateTile.FirstSecond, 320, 256, 31, 31, 8);
    Cut(t.StateTile.First, 320, 288, 31, 31, 8);
    States4<Single>* tinyRows[2] = {&t.TinyStateIcon.RowA, &t.TinyStateIcon.RowB};
    for (int row = 0; row < 2; ++row)
    {
        const int y = 112 + 8 * row;
        Cut(tinyRows[row]->Normal, 384, y, 7, 7);
        Cut(tinyRows[row]->Hovered, 392, y, 7, 7);
        Cut(tinyRows[row]->Down, 400, y, 7, 7);
        Cut(tinyRows[row]->Disabled, 408, y, 7, 7);
    }
    const Margin dropDownBorders(8, 8, 32, 8);
    Cut(t.DropDownField.Normal, 384, 336, 127, 31, dropDownBorders);
    Cut(t.DropDownField.Hovered, 384, 368, 127, 31, dropDownBorders);
    Cut(t.DropDownField.Down, 384, 400, 127, 31, dropDownBorders);
    Cut(t.DropDownField.Disabled, 384, 432, 127, 31, dropDownBorders);
    Cut(t.DropDownArrow.Normal, 496, 272, 15, 15);
    Cut(t.DropDownArrow.First, 496, 288, 15, 15);
    Cut(t.DropDownArrow.SecondOrThird, 496, 304, 15, 15);
    Cut(t.DropDownArrow.Fourth, 496, 320, 15, 15);
    States4<Single>* smallColumns[2] = {&t.SmallStateIcon.ColumnA, &t.SmallStateIcon.ColumnB};
    for (int column = 0; column < 2; ++column)
    {
        const int x = 416 + 16 * column;
        Cut(smallColumns[column]->Normal, x, 32, 15, 15);
        Cut(smallColumns[column]->Hovered, x, 48, 15, 15);
        Cut(smallColumns[column]->Down, x, 64, 15, 15);
        Cut(smallColumns[column]->Disabled, x, 80, 15, 15);
    }
    Cut(t.Tab.Bottom.Active, 0, 416, 63, 31, 8);
    Cut(t.Tab.Bottom.Inactive, 128, 416, 63, 31, 8);
    Cut(t.Tab.Top.Active, 0, 384, 63, 31, 8);
    Cut(t.Tab.Top.Inactive, 128, 384, 63, 31, 8);
    Cut(t.Tab.Left.Active, 64, 384, 31, 63, 8);
    Cut(t.Tab.Left.Inactive, 192, 384, 31, 63, 8);
    Cut(t.Tab.Right.Active, 96, 384, 31, 63, 8);
    Cut(t.Tab.Right.Inactive, 224, 384, 31, 63, 8);
    Cut(t.InsetPanel, 0, 256, 127, 127, 8);
    Cut(t.Strip, 128, 352, 127, 31, 4);
    Cut(t.SmallPanel, 256, 384, 63, 63, 8);
    Cut(t.TitledPanel.Full, 320, 384, 63, 63, Margin(8, 21, 8, 8));
    Cut(t.TitledPanel.Compact, 320, 352, 63, 31, 8);
    Cut(t.GroupBox, 0, 448, 31, 31, 8);
}

void TexturedBase::FillBounds(Controls::Base* control, const Color& color)
{
    _render->SetDrawColor(color);
    _render->DrawFilledRect(control->GetRenderBounds());
}

void TexturedBase::DrawPanel(Controls::Base* control)
{
    Textures.Panel.First.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawButton(Controls::Base* control, bool depressed, bool hovered, bool disabled)
{
    PickState(Textures.Button, depressed, hovered, disabled).Draw(_render, control->GetRenderBounds());
}

TexturedBase::ActiveInactive<TexturedBase::Bordered>* TexturedBase::TabsFor(int dockSide)
{
    switch (dockSide)
    {
    case Pos::Bottom:
        return &Textures.Tab.Bottom;
    case Pos::Top:
        return &Textures.Tab.Top;
    case Pos::Left:
        return &Textures.Tab.Left;
    case Pos::Right:
        return &Textures.Tab.Right;
    default:
        return nullptr;
    }
}

void TexturedBase::DrawTabButton(Controls::Base* control, bool active, int dockSide)
{
    if (active)
    {
        DrawActiveTabButton(control, dockSide);
        return;
    }
    ActiveInactive<Bordered>* tabs = TabsFor(dockSide);
    if (tabs != nullptr)
    {
        tabs->Inactive.Draw(_render, control->GetRenderBounds());
    }
}

void TexturedBase::DrawActiveTabButton(Controls::Base* control, int dockSide)
{
    ActiveInactive<Bordered>* tabs = TabsFor(dockSide);
    if (tabs != nullptr)
    {
        tabs->Active.Draw(_render, control->GetRenderBounds());
    }
}

void TexturedBase::DrawInsetPanel(Controls::Base* control)
{
    Textures.InsetPanel.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawStrip(Controls::Base* control) { Textures.Strip.Draw(_render, control->GetRenderBounds()); }

void TexturedBase::DrawMenuItem(Controls::Base* control, bool highlighted, bool checked)
{
    const Rect bounds = control->GetRenderBounds();
    if (highlighted || control->IsHovered())
    {
        Textures.MenuItem.Highlight.Draw(_render, bounds);
    }
    if (checked)
    {
        Textures.MenuCheck.Draw(_render, Rect(bounds.x + 4, bounds.y + 3, 15, 15));
    }
}

void TexturedBase::DrawThinStrip(Controls::Base* control)
{
    Textures.ThinStrip.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawMenu(Controls::Base* control, bool withoutLeftColumn)
{
    Bordered& region = withoutLeftColumn ? Textures.Menu.Plain : Textures.Menu.WithColumn;
    region.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawMenuArrow(Controls::Base* control)
{
    Textures.MenuArrow.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawCheckBox(Controls::Base* control, bool checked, bool)
{
    PickChecked(Textures.CheckBox, checked, control->IsDisabled()).Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawRadioButton(Controls::Base* control, bool checked, bool)
{
    PickChecked(Textures.RadioButton, checked, control->IsDisabled()).Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawGroupBox(Controls::Base* control, int labelX, int labelHeight, int labelWidth)
{
    const Rect bounds = control->GetRenderBounds();
    const int frameY = (int)(bounds.y + labelHeight * 0.5f);
    const int frameHeight = (int)(bounds.h - labelHeight * 0.5f);
    Bordered& region = Textures.GroupBox;
    region.Draw(_render, Rect(bounds.x, frameY, bounds.w, frameHeight), true, false, true, true, true, true, true,
                true, true);

    // The top edge resumes right of the label; the gap over the label stays open. A span
    // smaller than the region both ways shows the whole region squeezed, as any region does.
    const int start = bounds.x + labelX + labelWidth - 4;
    const int spanWidth = bounds.w + 4 - labelX - labelWidth;
    region.Draw(_render, Rect(start, frameY, spanWidth, frameHeight), false, true, false, false, false, false,
                false, false, false);
}

void TexturedBase::DrawTextBox(Controls::Base* control)
{
    const Rect bounds = control->GetRenderBounds();
    if (control->IsDisabled())
    {
        Textures.TextBox.Disabled.Draw(_render, bounds);
    }
    else if (control->HasFocus())
    {
        Textures.TextBox.Focus.Draw(_render, bounds);
    }
    else
    {
        Textures.TextBox.Normal.Draw(_render, bounds);
    }
}

void TexturedBase::DrawWindow(Controls::Base* control, int, bool active)
{
    Bordered& region = active ? Textures.Window.Active : Textures.Window.Inactive;
    region.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawWindowButton(Controls::Base* control, Regions::WindowButton& button, bool depressed,
                                    bool hovered, bool disabled)
{
    const Rect bounds = control->GetRenderBounds();
    const Rect target(bounds.x, bounds.y, 31, 31);
    if (disabled)
    {
        button.Normal.Draw(_render, target);
    }
    else if (depressed)
    {
        button.Down.Draw(_render, target);
    }
    else if (hovered)
    {
        button.Hovered.Draw(_render, target);
    }
    else
    {
        button.Normal.Draw(_render, target);
    }
}

void TexturedBase::DrawWindowCloseButton(Controls::Base* control, bool depressed, bool hovered, bool disabled)
{
    DrawWindowButton(control, Textures.CloseButton, depressed, hovered, disabled);
}

void TexturedBase::DrawWindowMaximizeButton(Controls::Base* control, bool depressed, bool hovered, bool disabled,
                                            bool maximized)
{
    DrawWindowButton(control, maximized ? Textures.RestoreButton : Textures.MaximizeButton, depressed, hovered,
                     disabled);
}

void TexturedBase::DrawWindowMinimizeButton(Controls::Base* control, bool depressed, bool hovered, bool disabled)
{
    DrawWindowButton(control, Textures.MinimizeButton, depressed, hovered, disabled);
}

void TexturedBase::DrawHighlight(Controls::Base* control) { FillBounds(control, Color(255, 100, 255, 255)); }

void TexturedBase::DrawBand(Controls::Base* control) { Textures.Band.Draw(_render, control->GetRenderBounds()); }

void TexturedBase::DrawShadow(Controls::Base* control)
{
    Rect bounds = control->GetRenderBounds();
    Textures.Shadow.Draw(_render, Rect(bounds.x - 4, bounds.y - 4, bounds.w + 10, bounds.h + 10));
}

void TexturedBase::DrawScrollBarBar(Controls::Base* control, bool depressed, bool hovered, bool horizontal)
{
    States4<Bordered>& bar = horizontal ? Textures.ScrollBar.BarH : Textures.ScrollBar.BarV;
    PickState(bar, depressed, hovered, control->IsDisabled()).Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawScrollBar(Controls::Base* control, bool horizontal, bool)
{
    Bordered& track = horizontal ? Textures.ScrollBar.TrackH : Textures.ScrollBar.TrackV;
    track.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawScrollButton(Controls::Base* control, int direction, bool depressed, bool hovered,
                                    bool disabled)
{
    const int k = ScrollButtonIndex(direction);
    Bordered* region = &Textures.ScrollButton.Normal[k];
    if (disabled)
    {
        region = &Textures.ScrollButton.Disabled[k];
    }
    else if (depressed)
    {
        region = &Textures.ScrollButton.Down[k];
    }
    else if (hovered)
    {
        region = &Textures.ScrollButton.Hovered[k];
    }
    region->Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawProgressBar(Controls::Base* control, bool horizontal, float progress)
{
    const Rect bounds = control->GetRenderBounds();
    Textures.ProgressBar.Back.Draw(_render, bounds);
    if (horizontal)
    {
        const int fillWidth = (int)(bounds.w * progress);
        if (fillWidth >= 1)
        {
            Textures.ProgressBar.Front.Draw(_render, Rect(bounds.x, bounds.y, fillWidth, bounds.h));
        }
        return;
    }
    // Fills from the bottom up.
    const int skip = (int)((1.0f - progress) * bounds.h);
    Textures.ProgressBar.Front.Draw(_render, Rect(bounds.x, bounds.y + skip, bounds.w, bounds.h - skip));
}

void TexturedBase::DrawTallPanel(Controls::Base* control)
{
    Textures.TallPanel.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawStateTile(Controls::Base* control, bool firstFlag, bool secondFlag)
{
    Bordered* region;
    if (firstFlag)
    {
        region = secondFlag ? &Textures.StateTile.FirstSecond : &Textures.StateTile.First;
    }
    else if (control->IsHovered())
    {
        region = &Textures.StateTile.Hovered;
    }
    else
    {
        region = secondFlag ? &Textures.StateTile.Second : &Textures.StateTile.Plain;
    }
    region->Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawSlider(Controls::Base* control, bool horizontal, int notchCount, int barSize)
{
    const Rect bounds = control->GetRenderBounds();
    const float half = barSize * 0.5f;
    _render->SetDrawColor(Color(0, 0, 0, 100));
    if (horizontal)
    {
        const Rect line((int)(bounds.x + half), (int)(bounds.y + bounds.h * 0.5f - 1), bounds.w - barSize, 1);
        for (int i = 0; notchCount != 0 && i <= notchCount; ++i)
        {
            const int x = (int)(line.x + i * (float)(bounds.w - barSize) / notchCount);
            _render->DrawFilledRect(Rect(x, line.y + (int)half - 2, 1, 5));
        }
        _render->DrawFilledRect(line);
        return;
    }
    const Rect line((int)(bounds.x + bounds.w * 0.5f - 1), (int)(bounds.y + half), 1, bounds.h - barSize);
    for (int i = 0; notchCount != 0 && i <= notchCount; ++i)
    {
        const int y = (int)(line.y + i * (float)(bounds.h - barSize) / notchCount);
        _render->DrawFilledRect(Rect(line.x + (int)half - 2, y, 5, 1));
    }
    _render->DrawFilledRect(line);
}

void TexturedBase::DrawSmallStateIcon(Controls::Base* control, bool depressed, bool firstColumn)
{
    States4<Single>& column = firstColumn ? Textures.SmallStateIcon.ColumnA : Textures.SmallStateIcon.ColumnB;
    PickState(column, depressed, control->IsHovered(), control->IsDisabled())
        .DrawCenter(_render, control->GetRenderBounds());
}

void TexturedBase::DrawDropDownField(Controls::Base* control, bool firstFlag, bool secondFlag)
{
    PickState(Textures.DropDownField, firstFlag || secondFlag, control->IsHovered(), control->IsDisabled())
        .Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawDropDownArrow(Controls::Base* control, bool first, bool second, bool third, bool fourth)
{
    Single* region = &Textures.DropDownArrow.Normal;
    if (fourth)
    {
        region = &Textures.DropDownArrow.Fourth;
    }
    else if (second || third)
    {
        region = &Textures.DropDownArrow.SecondOrThird;
    }
    else if (first)
    {
        region = &Textures.DropDownArrow.First;
    }
    region->Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawKeyboardHighlight(Controls::Base*, const Rect& rect, int inset)
{
    const int x = rect.x + inset;
    const int y = rect.y + inset;
    const int w = rect.w - inset * 2;
    const int h = rect.h - inset * 2;
    // A dotted outline, one pixel in two.
    for (int k = 0; k < w / 2; ++k)
    {
        if (k == 0)
        {
            continue;
        }
        _render->SetDrawColor(Colors::Black);
        _render->DrawPixel(x + k * 2, y);
        _render->DrawPixel(x + k * 2, y + h - 1);
    }
    for (int k = 0; k < h / 2; ++k)
    {
        _render->SetDrawColor(Colors::Black);
        _render->DrawPixel(x, y + k * 2);
        _render->DrawPixel(x + w - 1, y + k * 2);
    }
}

void TexturedBase::DrawBandAlt(Controls::Base* control)
{
    Textures.BandAlt.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawTinyStateIcon(Controls::Base* control, bool depressed, bool firstRow)
{
    States4<Single>& row = firstRow ? Textures.TinyStateIcon.RowA : Textures.TinyStateIcon.RowB;
    PickState(row, depressed, control->IsHovered(), control->IsDisabled())
        .DrawCenter(_render, control->GetRenderBounds());
}

void TexturedBase::DrawTwoStateIcon(Controls::Base* control, bool flag)
{
    Single& region = flag ? Textures.TwoStateIcon.On : Textures.TwoStateIcon.Off;
    region.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawLargePanel(Controls::Base* control)
{
    Textures.LargePanel.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawTreeNode(Controls::Base* control, bool expanded, bool selected, int labelHeight,
                                int labelWidth, int connectorY, int childExtent, bool noConnector)
{
    if (selected)
    {
        Textures.TreeSelection.Draw(_render, Rect(17, 0, labelWidth + 2, labelHeight - 1));
    }
    Base::DrawTreeNode(control, expanded, selected, labelHeight, labelWidth, connectorY, childExtent, noConnector);
}

void TexturedBase::DrawColorSwatch(Controls::Base* control, Color color)
{
    const Rect bounds = control->GetRenderBounds();
    if (color.a != 255)
    {
        // A checker shows through a translucent colour.
        FillBounds(control, Colors::White);
        const int halfWidth = (int)(bounds.w * 0.5f);
        const int halfHeight = (int)(bounds.h * 0.5f);
        _render->SetDrawColor(Color(128, 128, 128, 128));
        _render->DrawFilledRect(Rect(0, 0, halfWidth, halfHeight));
        _render->DrawFilledRect(Rect(halfWidth, halfHeight, halfWidth, halfHeight));
    }
    FillBounds(control, color);
    _render->SetDrawColor(Colors::Black);
    _render->DrawOutlineRect(bounds);
}

void TexturedBase::DrawModalBackground(Controls::Base* control)
{
    if (control->ShouldDrawBackground())
    {
        FillBounds(control, Colors[ColorIndex::ModalBackground]);
    }
}

void TexturedBase::DrawDimOverlay(Controls::Base* control) { FillBounds(control, Color(0, 0, 0, 100)); }

void TexturedBase::DrawSmallPanel(Controls::Base* control)
{
    Textures.SmallPanel.Draw(_render, control->GetRenderBounds());
}

void TexturedBase::DrawTitledPanel(Controls::Base* control, bool compact)
{
    Bordered& region = compact ? Textures.TitledPanel.Compact : Textures.TitledPanel.Full;
    region.Draw(_render, control->GetRenderBounds());
}
}
}
