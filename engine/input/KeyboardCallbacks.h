#pragma once

struct GLFWwindow;

// The window's key callback: the console, the key bindings and the Escape key, in that order.
// Repeats from a held key are ignored; a key's up message goes out exactly when its press
// reached the bindings, whatever the console did in between.
void OnKeyEvent(GLFWwindow* window, int key, int scancode, int action, int mods);

// The window's character callback: typed text for the console (never the grave accent,
// which opens and closes it).
void OnCharEvent(GLFWwindow* window, unsigned int codepoint);
