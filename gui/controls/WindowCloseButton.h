#pragma once

#include "gui/controls/Button.h"
#include "gui/controls/ControlType.h"

namespace Gui
{
    namespace Controls
    {
        class WindowControl;

        // The close button in a window's title bar, drawn from the skin's close images. The
        // window is not owned; the button is the window's descendant and goes with it.
        class WindowCloseButton : public Button
        {
            GUI_CONTROL_TYPE(WindowCloseButton, Button)

        public:
            explicit WindowCloseButton(Base* parent, const std::string& name = "");

            void SetWindow(WindowControl* window) { _window = window; }

        protected:
            void Render(Skin::Base* skin) override;

        private:
            WindowControl* _window = nullptr;
        };
    }
}
