#pragma once

#include "gui/Texture.h"
#include "gui/skin/Base.h"
#include "gui/skin/Bordered.h"
#include "gui/skin/Single.h"

namespace Gui
{
    namespace Skin
    {
        // The skin that cuts every control picture out of one image: nine-slice regions for
        // frames that stretch, single regions for icons, and a palette of 49 colours read
        // from swatches near the image's bottom edge. The tooltip background is the base's
        // filled and outlined rectangle, in the palette's tooltip colours.
        //
        // Made with the renderer that will draw it (which must outlive the skin: the
        // destructor frees the image and the default font through it); nothing is drawn
        // until Init has loaded the image.
        class TexturedBase : public Base
        {
        public:
            template <class Region> struct States4
            {
                Region Normal, Hovered, Down, Disabled;
            };
            template <class Region> struct ActiveInactive
            {
                Region Active, Inactive;
            };
            template <class Region> struct Checkable
            {
                Region Normal, Checked, Disabled, DisabledChecked;
            };
            typedef Texturing::Bordered Bordered;
            typedef Texturing::Single Single;

            // Every region of the image, in the order Init cuts them.
            struct Regions
            {
                Bordered Band, TreeSelection, Shadow, BandAlt;
                struct
                {
                    Bordered First, Second, Third, Fourth;
                } Panel;
                ActiveInactive<Bordered> Window;
                struct WindowButton
                {
                    Single Normal, Hovered, Down;
                } CloseButton, MaximizeButton, MinimizeButton, RestoreButton;
                Checkable<Single> RadioButton, CheckBox;
                struct
                {
                    Bordered Normal, Focus, Disabled;
                } TextBox;
                Bordered LargePanel;
                struct
                {
                    Single On, Off;
                } TwoStateIcon;
                struct
                {
                    Bordered Back, Front;
                } ProgressBar;
                struct
                {
                    Bordered TrackV;
                    States4<Bordered> BarV;
                    Bordered TrackH;
                    States4<Bordered> BarH;
                } ScrollBar;
                // Index 0 left, 1 up, 2 right, 3 down.
                struct
                {
                    Bordered Normal[4], Hovered[4], Down[4], Disabled[4];
                } ScrollButton;
                Single MenuArrow, MenuCheck;
                Bordered ThinStrip;
                struct
                {
                    Bordered Plain, WithColumn;
                } Menu;
                struct
                {
                    Bordered Highlight;
                } MenuItem;
                States4<Bordered> Button;
                Bordered TallPanel;
                struct
                {
                    Bordered Hovered, Second, Plain, FirstSecond, First;
                } StateTile;
                struct
                {
                    States4<Single> RowA, RowB;
                } TinyStateIcon;
                States4<Bordered> DropDownField;
                struct
                {
                    Single Normal, First, SecondOrThird, Fourth;
                } DropDownArrow;
                struct
                {
                    States4<Single> ColumnA, ColumnB;
                } SmallStateIcon;
                struct
                {
                    ActiveInactive<Bordered> Bottom, Top, Left, Right;
                } Tab;
                Bordered InsetPanel, Strip, SmallPanel;
                struct
                {
                    Bordered Full, Compact;
                } TitledPanel;
                Bordered GroupBox;
            };

            explicit TexturedBase(Renderer::Base* renderer = nullptr) : Base(renderer) {}
            ~TexturedBase() override;

            // Loads the image, reads the palette and cuts the regions. Once, before the first
            // frame. Without a renderer it is asserted and the regions are cut from an
            // unloaded 4 x 4 texture; a missing image leaves a palette of fall-back colours
            // and regions the renderer draws as missing.
            virtual void Init(const TextPair& imageName);

            void DrawPanel(Controls::Base* control) override;
            void DrawButton(Controls::Base* control, bool depressed, bool hovered, bool disabled) override;
            void DrawTabButton(Controls::Base* control, bool active, int dockSide) override;
            void DrawInsetPanel(Controls::Base* control) override;
            void DrawStrip(Controls::Base* control) override;
            void DrawMenuItem(Controls::Base* control, bool highlighted, bool checked) override;
            void DrawThinStrip(Controls::Base* control) override;
            void DrawMenu(Controls::Base* control, bool withoutLeftColumn) override;
            void DrawMenuArrow(Controls::Base* control) override;
            void DrawCheckBox(Controls::Base* control, bool checked, bool secondFlag) override;
            void DrawRadioButton(Controls::Base* control, bool checked, bool secondFlag) override;
            void DrawGroupBox(Controls::Base* control, int labelX, int labelHeight, int labelWidth) override;
            void DrawTextBox(Controls::Base* control) override;
            void DrawWindow(Controls::Base* control, int unused, bool active) override;
            void DrawWindowCloseButton(Controls::Base* control, bool depressed, bool hovered, bool disabled) override;
            void DrawWindowMaximizeButton(Controls::Base* control, bool depressed, bool hovered, bool disabled,
                                          bool maximized) override;
            void DrawWindowMinimizeButton(Controls::Base* control, bool depressed, bool hovered,
                                          bool disabled) override;
            void DrawHighlight(Controls::Base* control) override;
            void DrawBand(Controls::Base* control) override;
            void DrawShadow(Controls::Base* control) override;
            void DrawScrollBarBar(Controls::Base* control, bool depressed, bool hovered, bool horizontal) override;
            void DrawScrollBar(Controls::Base* control, bool horizontal, bool secondFlag) override;
            void DrawScrollButton(Controls::Base* control, int direction, bool depressed, bool hovered,
                                  bool disabled) override;
            void DrawProgressBar(Controls::Base* control, bool horizontal, float progress) override;
            void DrawTallPanel(Controls::Base* control) override;
            void DrawStateTile(Controls::Base* control, bool firstFlag, bool secondFlag) override;
            void DrawSlider(Controls::Base* control, bool horizontal, int notchCount, int barSize) override;
            void DrawSmallStateIcon(Controls::Base* control, bool depressed, bool firstColumn) override;
            void DrawDropDownField(Controls::Base* control, bool firstFlag, bool secondFlag) override;
            void DrawDropDownArrow(Controls::Base* control, bool first, bool second, bool third,
                                   bool fourth) override;
            void DrawKeyboardHighlight(Controls::Base* control, const Rect& rect, int inset) override;
            void DrawBandAlt(Controls::Base* control) override;
            void DrawTinyStateIcon(Controls::Base* control, bool depressed, bool firstRow) override;
            void DrawTwoStateIcon(Controls::Base* control, bool flag) override;
            void DrawLargePanel(Controls::Base* control) override;
            void DrawTreeNode(Controls::Base* control, bool expanded, bool selected, int labelHeight, int labelWidth,
                              int connectorY, int childExtent, bool noConnector) override;
            void DrawColorSwatch(Controls::Base* control, Color color) override;
            void DrawModalBackground(Controls::Base* control) override;
            void DrawDimOverlay(Controls::Base* control) override;
            void DrawSmallPanel(Controls::Base* control) override;
            void DrawTitledPanel(Controls::Base* control, bool compact) override;

            virtual void DrawActiveTabButton(Controls::Base* control, int dockSide);

            Regions Textures;

        protected:
            Texture _texture;

        private:
            void ReadPalette();
            void CutRegions();
            void Cut(Bordered& region, int x, int y, int w, int h, int border);
            void Cut(Bordered& region, int x, int y, int w, int h, const Margin& borders);
            void Cut(Single& region, int x, int y, int w, int h);
            // The region of one window button for its state; a disabled one looks normal.
            void DrawWindowButton(Controls::Base* control, Regions::WindowButton& button, bool depressed,
                                  bool hovered, bool disabled);
            void FillBounds(Controls::Base* control, const Color& color);
            // The tab pair for a dock side; null for Fill, None and anything else.
            ActiveInactive<Bordered>* TabsFor(int dockSide);
        };
    }
}
