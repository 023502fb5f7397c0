#pragma once

#include "gui/controls/Base.h"
#include "gui/renderer/Base.h"
#include "gui/skin/Base.h"

#include <string>
#include <vector>

// A skin whose every control picture is a filled rectangle over the control in one colour,
// and which remembers which controls it drew, in order.
class RecordingSkin : public Gui::Skin::Base
{
public:
    explicit RecordingSkin(Gui::Renderer::Base* renderer) : Gui::Skin::Base(renderer) {}

    void DrawPanel(Gui::Controls::Base* c) override { Draw(c); }
    void DrawButton(Gui::Controls::Base* c, bool, bool, bool) override { Draw(c); }
    void DrawTabButton(Gui::Controls::Base* c, bool, int) override { Draw(c); }
    void DrawInsetPanel(Gui::Controls::Base* c) override { Draw(c); }
    void DrawStrip(Gui::Controls::Base* c) override { Draw(c); }
    void DrawMenuItem(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawThinStrip(Gui::Controls::Base* c) override { Draw(c); }
    void DrawMenu(Gui::Controls::Base* c, bool) override { Draw(c); }
    void DrawMenuArrow(Gui::Controls::Base* c) override { Draw(c); }
    void DrawCheckBox(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawRadioButton(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawGroupBox(Gui::Controls::Base* c, int, int, int) override { Draw(c); }
    void DrawTextBox(Gui::Controls::Base* c) override { Draw(c); }
    void DrawWindow(Gui::Controls::Base* c, int, bool) override { Draw(c); }
    void DrawWindowCloseButton(Gui::Controls::Base* c, bool, bool, bool) override { Draw(c); }
    void DrawWindowMaximizeButton(Gui::Controls::Base* c, bool, bool, bool, bool) override { Draw(c); }
    void DrawWindowMinimizeButton(Gui::Controls::Base* c, bool, bool, bool) override { Draw(c); }
    void DrawHighlight(Gui::Controls::Base* c) override { Draw(c); }
    void DrawBand(Gui::Controls::Base* c) override { Draw(c); }
    void DrawShadow(Gui::Controls::Base* c) override { Draw(c); }
    void DrawScrollBarBar(Gui::Controls::Base* c, bool, bool, bool) override { Draw(c); }
    void DrawScrollBar(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawScrollButton(Gui::Controls::Base* c, int, bool, bool, bool) override { Draw(c); }
    void DrawProgressBar(Gui::Controls::Base* c, bool, float) override { Draw(c); }
    void DrawTallPanel(Gui::Controls::Base* c) override { Draw(c); }
    void DrawStateTile(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawSlider(Gui::Controls::Base* c, bool, int, int) override { Draw(c); }
    void DrawSmallStateIcon(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawDropDownField(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawDropDownArrow(Gui::Controls::Base* c, bool, bool, bool, bool) override { Draw(c); }
    void DrawKeyboardHighlight(Gui::Controls::Base* c, const Gui::Rect&, int) override
    {
        highlighted.push_back(c);
    }
    void DrawBandAlt(Gui::Controls::Base* c) override { Draw(c); }
    void DrawTinyStateIcon(Gui::Controls::Base* c, bool, bool) override { Draw(c); }
    void DrawTwoStateIcon(Gui::Controls::Base* c, bool) override { Draw(c); }
    void DrawLargePanel(Gui::Controls::Base* c) override { Draw(c); }
    void DrawColorSwatch(Gui::Controls::Base* c, Gui::Color) override { Draw(c); }
    void DrawModalBackground(Gui::Controls::Base* c) override { Draw(c); }
    void DrawDimOverlay(Gui::Controls::Base* c) override { Draw(c); }
    void DrawSmallPanel(Gui::Controls::Base* c) override { Draw(c); }
    void DrawTitledPanel(Gui::Controls::Base* c, bool) override { Draw(c); }

    std::vector<Gui::Controls::Base*> drawn;
    std::vector<Gui::Controls::Base*> highlighted;

private:
    void Draw(Gui::Controls::Base* control)
    {
        drawn.push_back(control);
        GetRender()->SetDrawColor(Gui::Color(0, 0, 0, 255));
        GetRender()->DrawFilledRect(control->GetRenderBounds());
    }
};

// A control that draws itself as a panel through its skin.
class PanelControl : public Gui::Controls::Base
{
public:
    explicit PanelControl(Gui::Controls::Base* parent, const std::string& name = "")
        : Gui::Controls::Base(parent, name)
    {
    }

protected:
    void Render(Gui::Skin::Base* skin) override { skin->DrawPanel(this); }
};
