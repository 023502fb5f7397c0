#pragma once

// One input or window event of a platform window (CreatePlatformWindow), as ProcessMessage
// takes it: what the window library reported, before any translation for the toolkit.
namespace Gui
{
    namespace WindowsLayer
    {
        struct PlatformMessage
        {
            enum Kind
            {
                // x, y: the pointer in window pixels from the client area's top left; negative
                // or beyond the size while a button holds the pointer outside.
                PointerMoved,
                // button: the window library's number, 0 left, 1 right, 2 middle, more beyond.
                ButtonDown,
                ButtonUp,
                // wheel: the vertical turn, 120 a notch, positive away from the user.
                Wheel,
                // character: a typed printable character.
                Character,
                // key: the window library's key code (letters are their capitals 'A' to 'Z');
                // control: Control was held. A held key sends KeyDown again as it repeats.
                KeyDown,
                KeyUp,
                // The user asked to close the window.
                CloseRequest,
                // The window's content was lost and must be drawn again.
                Paint
            };

            Kind kind = PointerMoved;
            int x = 0;
            int y = 0;
            int button = 0;
            int wheel = 0;
            wchar_t character = 0;
            int key = 0;
            bool control = false;
        };
    }
}
