#pragma once

struct GLFWwindow;

// The window's pointer callbacks. They hand every event to every MouseListener, with the
// console open or closed.

// Stores the position (truncated towards zero) for later button events, then reports it.
void OnMouseMotion(GLFWwindow* window, double x, double y);
// Right and middle keep their meaning; the left button and every extra button are MOUSE_LEFT.
// Reports the last stored position: the pointer is not read again.
void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
void OnMouseWheel(GLFWwindow* window, double xOffset, double yOffset);
