#include "engine/input/TouchListener.h"

#include <set>
#include <vector>

namespace
{
typedef std::set<TouchListener*> TouchListenerSet;

// Never deleted, so listeners that are globals can still leave it at the program's exit.
TouchListenerSet& Listeners()
{
    static TouchListenerSet* listeners = new TouchListenerSet();
    return *listeners;
}

// Only the listeners still registered are called, so one may leave while others are called.
void DeliverToRegistered(void (TouchListener::*event)(Touch*), Touch* touch)
{
    const std::vector<TouchListener*> snapshot(Listeners().begin(), Listeners().end());
    for (TouchListener* listener : snapshot)
    {
        if (Listeners().count(listener) != 0)
        {
            (listener->*event)(touch);
        }
    }
}
}

TouchListener::TouchListener() { Listeners().insert(this); }

TouchListener::TouchListener(const TouchListener&) { Listeners().insert(this); }

TouchListener& TouchListener::operator=(const TouchListener&) { return *this; }

TouchListener::~TouchListener() { Listeners().erase(this); }

void TouchListener::TouchMotionEvent(Touch*) {}
void TouchListener::TouchEndEvent(Touch*) {}
void TouchListener::TouchStartEvent(Touch*) {}

TouchList& TouchListener::GetTouchList()
{
    static TouchList* touches = new TouchList();
    return *touches;
}

void TouchListener::DispatchTouchEvent(int kind, Touch* touch)
{
    switch (kind)
    {
    case TOUCH_START:
        DeliverToRegistered(&TouchListener::TouchStartEvent, touch);
        break;
    case TOUCH_END:
        DeliverToRegistered(&TouchListener::TouchEndEvent, touch);
        break;
    case TOUCH_MOVE:
        DeliverToRegistered(&TouchListener::TouchMotionEvent, touch);
        break;
    default:
        break;
    }
}
