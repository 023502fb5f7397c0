#pragma once

#include "gui/controls/ControlType.h"
#include "gui/controls/Dragger.h"

namespace Gui
{
    namespace ControlsInternal
    {
        // A dragger on an edge or corner that resizes its target instead of moving it,
        // keeping the target's minimum size; the opposite edge stays where it is.
        class Resizer : public Dragger
        {
            GUI_CONTROL_TYPE(Resizer, Dragger)

        public:
            explicit Resizer(Controls::Base* parent, const std::string& name = "");

            // Pos flags of the edges that move; also picks the cursor.
            virtual void SetResizeDir(int direction);

            void OnMouseMotion(int x, int y, int deltaX, int deltaY) override;

            Event::Dispatcher onResize;

        private:
            int _resizeDir = Pos::Left;
        };
    }
}
