#pragma once

#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"

namespace Gui
{
    namespace ControlsInternal
    {
        // A blocker over the whole canvas that holds a modal window: it takes every click
        // outside the window, and shades what lies beneath when its background is drawn.
        class Modal : public Controls::Base
        {
            GUI_CONTROL_TYPE(Modal, Controls::Base)

        public:
            explicit Modal(Controls::Base* parent, const std::string& name = "");
            // The windows it holds go with it; each is told first, so none later calls
            // back into the blocker.
            ~Modal() override;

            void Layout(Skin::Base* skin) override;

        protected:
            void Render(Skin::Base* skin) override;
        };
    }
}
