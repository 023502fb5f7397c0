#pragma once

#include "gui/controls/ControlType.h"
#include "gui/controls/ResizableControl.h"

namespace Gui
{
    namespace ControlsInternal
    {
        class Dragger;
        class Modal;
    }

    namespace Controls
    {
        class Label;
        class WindowCloseButton;

        // A movable, resizable window with a title bar, a title, a close button and an inner
        // panel that takes the children added to it. A click anywhere in it raises it. Made
        // modal it sits on a blocker over the whole canvas until it is closed or deleted.
        class WindowControl : public ResizableControl
        {
            GUI_CONTROL_TYPE(WindowControl, ResizableControl)

        public:
            explicit WindowControl(Base* parent, const std::string& name = "");
            ~WindowControl() override;

            virtual void SetTitle(const TextPair& title);
            // Not closable hides the close button.
            virtual void SetClosable(bool closable);

            // Puts a blocker behind the window; a window already modal keeps its one blocker.
            // A window outside any canvas's tree is refused with a warning.
            void MakeModal(bool drawBackground = true);
            // Takes the window off its blocker and hands the blocker to the canvas to delete.
            void DestroyModal();
            bool IsModal() const { return _modal != nullptr; }
            // Closing also deletes the window (at the canvas's next think).
            void SetDeleteOnClose(bool deleteOnClose) { _deleteOnClose = deleteOnClose; }
            // What the close button does: off the blocker, onWindowClosed, hidden, deleted
            // when asked.
            void CloseButtonPressed(Base* control = nullptr);
            // Called by a blocker that is being deleted with this window on it.
            void ForgetModal(ControlsInternal::Modal* modal);

            WindowCloseButton* GetCloseButton() { return _closeButton; }
            ControlsInternal::Dragger* GetTitleBar() { return _titleBar; }
            Label* GetTitle() { return _title; }

            void SetHidden(bool hidden) override;
            void Touch() override;
            bool IsOnTop() override;

            Event::Dispatcher onWindowClosed;

        protected:
            void Render(Skin::Base* skin) override;
            void RenderUnder(Skin::Base* skin) override;
            void RenderFocus(Skin::Base*) override {}

        private:
            ControlsInternal::Dragger* _titleBar = nullptr;
            Label* _title = nullptr;
            WindowCloseButton* _closeButton = nullptr;
            bool _deleteOnClose = false;
            ControlsInternal::Modal* _modal = nullptr;
        };
    }
}
