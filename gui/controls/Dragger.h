#pragma once

#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"

namespace Gui
{
    namespace ControlsInternal
    {
        // Moves its target while the left button is held on it (a window's title bar). The
        // target is not owned and must outlive the dragger (it is usually its parent).
        class Dragger : public Controls::Base
        {
            GUI_CONTROL_TYPE(Dragger, Controls::Base)

        public:
            explicit Dragger(Controls::Base* parent, const std::string& name = "");

            virtual void SetTarget(Controls::Base* target) { _target = target; }
            virtual bool IsDepressed() { return _held; }
            // Off: onDragged still fires, but the target stays where it is.
            virtual void SetDoMove(bool doMove) { _doMove = doMove; }

            void OnMouseMotion(int x, int y, int deltaX, int deltaY) override;
            void OnMouseClickLeft(int x, int y, bool down) override;
            void OnMouseDoubleClickLeft(int x, int y) override;

            // Fired on each move while held; the information's Point is the movement.
            Event::Dispatcher onDragged;
            Event::Dispatcher onDragStart;
            Event::Dispatcher onDoubleClickLeft;

        protected:
            bool _held = false;
            // The grab point in the target's own coordinates.
            Point _holdPosition;
            Controls::Base* _target = nullptr;
            bool _doMove = true;
        };
    }
}
