#pragma once

// Which entry of a skin's colour set (Skin::Base::Colors) serves which text role. The skin
// image's generator (tools/make_skin.py) paints the swatch of each index; the skin itself
// draws with a few more (tree lines 6, row lines 10-12, row fills 13-15, corner strips 19,
// modal background 47), which its drawing code names where it uses them; the tooltip
// background (48, outlined in the tooltip text colour) is drawn by the skin too.
namespace Gui
{
    namespace Skin
    {
        namespace ColorIndex
        {
            enum
            {
                WindowTitleActive = 0,
                WindowTitleInactive = 1,
                ButtonTextNormal = 21,
                ButtonTextHover = 22,
                ButtonTextDown = 23,
                ButtonTextDisabled = 24,
                LabelNormal = 33,
                TooltipText = 34,
                LabelDark = 36,
                LabelHighlight = 37,
                LabelBright = 42,
                ModalBackground = 47,
                TooltipBackground = 48
            };
        }
    }
}
