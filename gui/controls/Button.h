#pragma once

#include "gui/controls/ControlType.h"
#include "gui/controls/Label.h"

namespace Gui
{
    namespace Controls
    {
        class ImagePanel;

        // A clickable label: a left press and release over it fires onPress; a release
        // outside it presses nothing. It can be a toggle, carry an image at its left (or
        // centred), and answer the right button with onRightPress.
        class Button : public Label
        {
            GUI_CONTROL_TYPE(Button, Label)

        public:
            explicit Button(Base* parent, const std::string& name = "");

            virtual void OnPress();
            virtual void OnRightPress() { onRightPress.Fire(this); }
            virtual bool IsDepressed() const { return _depressed; }
            virtual void SetDepressed(bool depressed);
            virtual void SetIsToggle(bool toggle) { _isToggle = toggle; }
            virtual bool IsToggle() const { return _isToggle; }
            virtual bool GetToggleState() const { return _toggleStatus; }
            virtual void SetToggleState(bool on);
            virtual void Toggle() { SetToggleState(!GetToggleState()); }
            // An empty name removes the image.
            virtual void SetImage(const TextPair& imageName, bool center = false);
            // 0 transparent to 1 opaque.
            virtual void SetImageAlpha(float alpha);

            void OnMouseClickLeft(int x, int y, bool down) override;
            void OnMouseClickRight(int x, int y, bool down) override;
            void OnMouseDoubleClickLeft(int x, int y) override;
            bool OnKeySpace(bool down) override;
            void AcceleratorPressed() override { OnPress(); }
            void DoAction() override { OnPress(); }
            void SetAction(Event::Handler* handler, Event::Handler::FunctionWithInformation function,
                           const Event::Packet& packet) override;
            void UpdateColours() override;
            void PostLayout(Skin::Base* skin) override;
            void SizeToContents() override;

            Event::Dispatcher onPress;
            Event::Dispatcher onRightPress;
            Event::Dispatcher onDown;
            Event::Dispatcher onUp;
            Event::Dispatcher onDoubleClick;
            Event::Dispatcher onToggle;
            Event::Dispatcher onToggleOn;
            Event::Dispatcher onToggleOff;

        protected:
            void Render(Skin::Base* skin) override;

        private:
            // Press (down) and release of either button at (x, y) on the canvas; a release
            // over the held button completes the press.
            void OnClick(int x, int y, bool down, void (Button::*complete)());
            bool IsUnderPointer(int x, int y);

            ImagePanel* _image = nullptr;
            bool _depressed = false;
            bool _isToggle = false;
            bool _toggleStatus = false;
            bool _centerImage = false;
        };
    }
}
