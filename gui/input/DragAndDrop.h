#pragma once

#include <string>

namespace Gui
{
    namespace Controls
    {
        class Base;
        class Canvas;
    }

    namespace Skin
    {
        class Base;
    }

    // Dragging a control's package onto another control that accepts it. A drag starts when
    // the pointer moves more than 4 pixels (Manhattan) from a press on a draggable control
    // and ends at the release, which drops on the accepting control under the pointer.
    namespace DragAndDrop
    {
        // Made by a control's DragAndDrop_SetPackage and owned by that control.
        struct Package
        {
            std::string name;
            void* userdata = nullptr;
            bool draggable = false;
            // Drawn under the pointer while dragging.
            Controls::Base* drawcontrol = nullptr;
            // The grab point in the source control's coordinates.
            int holdoffsetx = 0;
            int holdoffsety = 0;
        };

        // Starts dragging the package from the control; false while another drag runs.
        bool Start(Controls::Base* control, Package* package);
        // The left button's press and release; true when it ended a drag.
        bool OnMouseButton(Controls::Base* hoveredControl, int x, int y, bool down);
        void OnMouseMoved(Controls::Base* hoveredControl, int x, int y);
        void RenderOverlay(Controls::Canvas* canvas, Skin::Base* skin);
        // Called by a control's destructor.
        void ControlDeleted(Controls::Base* control);

        Package* CurrentPackage();
        Controls::Base* SourceControl();
        // Forgets any drag in progress.
        void Reset();
    }
}
