#pragma once

struct GLFWwindow;

// The window's key callback: the console, the key bindings and the Escape key, in that order.
void OnKeyEvent(GLFWwindow* window, int key, int scancode, int action, int mods);
