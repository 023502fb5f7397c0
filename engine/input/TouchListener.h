#pragma once

#include "engine/input/Touch.h"

// Any int is a valid value of the type: scripts may pass any number for it.
enum TouchEvent : int
{
    TOUCH_START = 0,
    TOUCH_END = 1,
    TOUCH_MOVE = 2
};

// Everything that wants touch events; registered for exactly the lifetime of its object.
// No touch screen feeds it on the desktop: only a caller of DispatchTouchEvent does.
class TouchListener
{
public:
    TouchListener();
    TouchListener(const TouchListener& other);
    TouchListener& operator=(const TouchListener& other);
    virtual ~TouchListener();

    virtual void TouchMotionEvent(Touch* movedTouch);
    virtual void TouchEndEvent(Touch* endedTouch);
    virtual void TouchStartEvent(Touch* startedTouch);

    // The touches currently down: always empty here.
    static TouchList& GetTouchList();
    // Calls every listener in ascending address order; an unknown kind calls nothing.
    static void DispatchTouchEvent(int kind, Touch* touch);
};
