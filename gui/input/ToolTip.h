#pragma once

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Skin
    {
        class Base;
    }

    // The one tooltip shown at a time: that of the hovered control, drawn above the pointer
    // and kept inside the canvas.
    namespace ToolTip
    {
        bool TooltipActive();
        // Shows the control's tooltip, when it has one.
        void Enable(Controls::Base* control);
        // Stops showing it, when it is the one shown.
        void Disable(Controls::Base* control);
        void RenderToolTip(Skin::Base* skin);
        void ControlDeleted(Controls::Base* control);
        // Shows none.
        void Reset();
    }
}
