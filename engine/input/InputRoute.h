#pragma once

#include "engine/math/Vec2i.h"

#include <set>

struct GLFWwindow;

// The one way every key, character and mouse event of the window goes, owned by the World:
// - A key press: the grave accent opens or closes the World's console and goes nowhere else.
//   Any other press goes to the console first (an open console takes every key), then to the
//   key bindings; an Escape that neither took ends the main loop after the current frame.
//   Repeats from a held key go nowhere.
// - A key release sends its binding's up message exactly when the key's press reached the
//   bindings, whatever the console did in between.
// - A character goes only to the console (never the grave accent, which toggles it).
// - Mouse events go to every MouseListener, with the console open or closed; nothing
//   consumes them.
class InputRoute
{
public:
    void KeyPressed(int key);
    void KeyReleased(int key);
    void CharacterTyped(unsigned int codepoint);
    // The position is truncated towards zero and kept for later button events.
    void PointerMoved(double x, double y);
    // Right and middle keep their meaning; the left button and every extra button are
    // MOUSE_LEFT. Reports the last kept position: the pointer is not read again.
    void MouseButtonChanged(int windowButton, bool pressed);
    void Scrolled(double xOffset, double yOffset);

private:
    // Lower-cased keys whose press went to the bindings and whose release is still due.
    std::set<int> _keysHeldByBindings;
    Vec2i _lastPointerPosition;
};

// The window's callbacks, installed by the World; each hands its event to the World's route.
void OnKeyEvent(GLFWwindow* window, int key, int scancode, int action, int mods);
void OnCharEvent(GLFWwindow* window, unsigned int codepoint);
void OnMouseMotion(GLFWwindow* window, double x, double y);
void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
void OnMouseWheel(GLFWwindow* window, double xOffset, double yOffset);
