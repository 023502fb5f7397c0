#pragma once

#include "gui/Color.h"
#include "gui/Font.h"
#include "gui/Rect.h"

#include <string>

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Renderer
    {
        class Base;
    }

    namespace Skin
    {
        // The toolkit's drawing policy: every control draws its look by calling one operation
        // of its skin, which draws through the skin's renderer into the control's render
        // bounds (the renderer's offset already moved to the control). The base draws the
        // arrows, the check mark, tree branches and two row decorations from filled
        // rectangles; a derived skin draws the rest.
        //
        // The renderer is not owned and must outlive the skin: the destructor releases the
        // default font through it.
        class Base
        {
        public:
            static const int kColorCount = 49;

            explicit Base(Renderer::Base* renderer = nullptr) : _render(renderer) {}
            virtual ~Base();
            Base(const Base&) = delete;
            Base& operator=(const Base&) = delete;

            // Gives the font's renderer data back; nothing without a font or a renderer.
            virtual void ReleaseFont(Font* font);

            virtual void DrawPanel(Controls::Base* control) = 0;
            virtual void DrawButton(Controls::Base* control, bool depressed, bool hovered, bool disabled) = 0;
            virtual void DrawTabButton(Controls::Base* control, bool active, int dockSide) = 0;
            virtual void DrawInsetPanel(Controls::Base* control) = 0;
            virtual void DrawStrip(Controls::Base* control) = 0;
            virtual void DrawMenuItem(Controls::Base* control, bool highlighted, bool checked) = 0;
            virtual void DrawThinStrip(Controls::Base* control) = 0;
            virtual void DrawMenu(Controls::Base* control, bool withoutLeftColumn) = 0;
            virtual void DrawMenuArrow(Controls::Base* control) = 0;
            virtual void DrawCheckBox(Controls::Base* control, bool checked, bool secondFlag) = 0;
            virtual void DrawRadioButton(Controls::Base* control, bool checked, bool secondFlag) = 0;
            virtual void DrawGroupBox(Controls::Base* control, int labelX, int labelHeight, int labelWidth) = 0;
            virtual void DrawTextBox(Controls::Base* control) = 0;
            virtual void DrawWindow(Controls::Base* control, int unused, bool active) = 0;
            virtual void DrawWindowCloseButton(Controls::Base* control, bool depressed, bool hovered, bool disabled) = 0;
            virtual void DrawWindowMaximizeButton(Controls::Base* control, bool depressed, bool hovered, bool disabled,
                                                  bool maximized) = 0;
            virtual void DrawWindowMinimizeButton(Controls::Base* control, bool depressed, bool hovered,
                                                  bool disabled) = 0;
            virtual void DrawHighlight(Controls::Base* control) = 0;
            virtual void DrawBand(Controls::Base* control) = 0;
            virtual void DrawShadow(Controls::Base* control) = 0;
            virtual void DrawScrollBarBar(Controls::Base* control, bool depressed, bool hovered, bool horizontal) = 0;
            virtual void DrawScrollBar(Controls::Base* control, bool horizontal, bool secondFlag) = 0;
            virtual void DrawScrollButton(Controls::Base* control, int direction, bool depressed, bool hovered,
                                          bool disabled) = 0;
            virtual void DrawProgressBar(Controls::Base* control, bool horizontal, float progress) = 0;
            virtual void DrawTallPanel(Controls::Base* control) = 0;
            virtual void DrawStateTile(Controls::Base* control, bool firstFlag, bool secondFlag) = 0;
            virtual void DrawSlider(Controls::Base* control, bool horizontal, int notchCount, int barSize) = 0;
            virtual void DrawSmallStateIcon(Controls::Base* control, bool depressed, bool firstColumn) = 0;
            virtual void DrawDropDownField(Controls::Base* control, bool firstFlag, bool secondFlag) = 0;
            virtual void DrawDropDownArrow(Controls::Base* control, bool first, bool second, bool third,
                                           bool fourth) = 0;
            virtual void DrawKeyboardHighlight(Controls::Base* control, const Rect& rect, int inset) = 0;
            virtual void DrawBandAlt(Controls::Base* control) = 0;
            virtual void DrawTinyStateIcon(Controls::Base* control, bool depressed, bool firstRow) = 0;
            virtual void DrawTwoStateIcon(Controls::Base* control, bool flag) = 0;
            virtual void DrawLargePanel(Controls::Base* control) = 0;
            virtual void DrawTreeNode(Controls::Base* control, bool expanded, bool selected, int labelHeight,
                                      int labelWidth, int connectorY, int childExtent, bool noConnector);
            virtual void DrawTwoColumnRow(Controls::Base* control, int splitX, bool firstFlag, bool secondFlag);
            virtual void DrawCornerStrips(Controls::Base* control, int stripWidth, int stripHeight);
            virtual void DrawColorSwatch(Controls::Base* control, Color color) = 0;
            virtual void DrawModalBackground(Controls::Base* control) = 0;
            virtual void DrawDimOverlay(Controls::Base* control) = 0;
            virtual void DrawSmallPanel(Controls::Base* control) = 0;
            virtual void DrawTitledPanel(Controls::Base* control, bool compact) = 0;
            // The background behind a shown tooltip control: its render bounds filled in the
            // colour set's tooltip background and outlined in its tooltip text colour.
            virtual void DrawToolTip(Controls::Base* control);

            virtual void SetRender(Renderer::Base* renderer) { _render = renderer; }
            virtual Renderer::Base* GetRender() { return _render; }

            // Drawn in the current draw colour, which the caller sets.
            virtual void DrawArrowDown(Rect rect);
            virtual void DrawArrowUp(Rect rect);
            virtual void DrawArrowLeft(Rect rect);
            virtual void DrawArrowRight(Rect rect);
            virtual void DrawCheck(Rect rect);

            virtual Font* GetDefaultFont() { return &_defaultFont; }
            // Leaves the font's renderer data as it is.
            virtual void SetDefaultFont(const std::wstring& face, float size = 10.0f);

            // Filled from the skin image by a textured skin; all white here.
            Color Colors[kColorCount];

        protected:
            Font _defaultFont;
            Renderer::Base* _render;
        };
    }
}
