#pragma once

// The window library's key, action and mouse-button codes that the engine names. Key codes
// are the window library's own, so these values are fixed; letters and other printable keys
// are their upper-case character codes ('A' is 65).
enum KeyCode
{
    KEY_UNKNOWN = -1,
    KEY_SPACE = 32,
    KEY_GRAVE_ACCENT = 96,
    KEY_ESCAPE = 256,
    KEY_ENTER = 257,
    KEY_TAB = 258,
    KEY_BACKSPACE = 259,
    KEY_INSERT = 260,
    KEY_DELETE = 261,
    KEY_RIGHT = 262,
    KEY_LEFT = 263,
    KEY_DOWN = 264,
    KEY_UP = 265,
    KEY_PAGE_UP = 266,
    KEY_PAGE_DOWN = 267,
    KEY_HOME = 268,
    KEY_END = 269,
    KEY_F1 = 290,
    KEY_KP_0 = 320,
    KEY_KP_DECIMAL = 330,
    KEY_KP_DIVIDE = 331,
    KEY_KP_MULTIPLY = 332,
    KEY_KP_SUBTRACT = 333,
    KEY_KP_ADD = 334,
    KEY_KP_ENTER = 335,
    KEY_KP_EQUAL = 336,
    KEY_LEFT_SHIFT = 340,
    KEY_LEFT_CONTROL = 341,
    KEY_LEFT_ALT = 342,
    KEY_RIGHT_SHIFT = 344,
    KEY_RIGHT_CONTROL = 345,
    KEY_RIGHT_ALT = 346,
    KEY_LAST = 348
};

// What happened to a key or mouse button.
enum KeyAction
{
    KEY_ACTION_RELEASE = 0,
    KEY_ACTION_PRESS = 1,
    // The window library's auto-repeat while a key is held.
    KEY_ACTION_REPEAT = 2
};

// The window library's mouse-button numbers; buttons 3 to 7 are the extra ones.
enum WindowMouseButton
{
    WINDOW_MOUSE_BUTTON_LEFT = 0,
    WINDOW_MOUSE_BUTTON_RIGHT = 1,
    WINDOW_MOUSE_BUTTON_MIDDLE = 2
};
