#pragma once

#include "engine/math/Vec2i.h"
#include "engine/math/Vector2.h"

// The engine's button numbers; any int is a valid value, as scripts may pass any number.
enum MouseButtonInput : int
{
    MOUSE_LEFT = 0,
    MOUSE_MIDDLE = 1,
    MOUSE_RIGHT = 2
};

// Everything that wants the window's mouse events. A listener is registered for exactly the
// lifetime of its object and receives every event: there is no focus, capture or consumption.
// Listeners are called in ascending order of their addresses. Positions are window pixels,
// origin top-left.
class MouseListener
{
public:
    MouseListener();
    MouseListener(const MouseListener& other);
    MouseListener& operator=(const MouseListener& other);
    virtual ~MouseListener();

    virtual void MouseMotionEvent(Vec2i screenCoordinates);
    virtual void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button);
    virtual void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button);
    virtual void MouseWheelEvent(const Vector2& scrollDelta);

    // Deliver one event to every listener. Listeners may be created or destroyed meanwhile:
    // one destroyed during the walk is not called afterwards, one created during it waits
    // for the next event.
    static void DispatchMotion(Vec2i screenCoordinates);
    static void DispatchDown(Vec2i screenCoordinates, MouseButtonInput button);
    static void DispatchUp(Vec2i screenCoordinates, MouseButtonInput button);
    static void DispatchWheel(const Vector2& scrollDelta);
};
