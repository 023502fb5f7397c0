#pragma once

#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"

namespace Gui
{
    namespace ControlsInternal
    {
        class Resizer;
    }

    namespace Controls
    {
        // A control with eight resizers along its edges and corners and a minimum size that
        // SetBounds keeps. With clamp movement it also stays inside its parent.
        class ResizableControl : public Base
        {
            GUI_CONTROL_TYPE(ResizableControl, Base)

        public:
            explicit ResizableControl(Base* parent, const std::string& name = "");

            virtual void SetClampMovement(bool clamp) { _clampMovement = clamp; }
            virtual bool GetClampMovement() { return _clampMovement; }
            virtual void SetMinimumSize(const Point& minimum) { _minimumSize = minimum; }
            // Every resizer, corners included, stops taking the mouse.
            virtual void DisableResizing();
            // Called after a resizer changed the control.
            virtual void OnResized() {}
            // By keypad direction: 1 bottom-left, 2 bottom, 3 bottom-right, 4 left, 6 right,
            // 7 top-left, 8 top, 9 top-right; null for any other index.
            virtual ControlsInternal::Resizer* GetResizer(int index);

            using Base::SetBounds;
            bool SetBounds(int x, int y, int w, int h) override;
            Point GetMinimumSize() override { return _minimumSize; }

            Event::Dispatcher onResize;

        private:
            static const int kResizerSlots = 10;

            ControlsInternal::Resizer* MakeResizer(Base* parent, int slot, int dock, int direction);
            void OnResizedInternal(Base* resizer);

            Point _minimumSize = Point(5, 5);
            bool _clampMovement = false;
            ControlsInternal::Resizer* _resizers[kResizerSlots] = {};
        };
    }
}
