#include "engine/input/MouseListener.h"

#include <functional>
#include <set>
#include <vector>

namespace
{
typedef std::set<MouseListener*> MouseListenerSet;

// Never deleted, so listeners that are globals can still leave it at the program's exit.
MouseListenerSet& Listeners()
{
    static MouseListenerSet* listeners = new MouseListenerSet();
    return *listeners;
}

// Listeners destroyed while an event is being delivered; their address may be reused by a
// new listener before the walk ends, and that one must not receive the event either.
MouseListenerSet& DestroyedDuringDispatch()
{
    static MouseListenerSet* destroyed = new MouseListenerSet();
    return *destroyed;
}

int s_dispatchDepth = 0;

void Dispatch(const std::function<void(MouseListener*)>& deliver)
{
    const std::vector<MouseListener*> snapshot(Listeners().begin(), Listeners().end());
    ++s_dispatchDepth;
    for (MouseListener* listener : snapshot)
    {
        if (DestroyedDuringDispatch().count(listener) == 0 && Listeners().count(listener) != 0)
        {
            deliver(listener);
        }
    }
    if (--s_dispatchDepth == 0)
    {
        DestroyedDuringDispatch().clear();
    }
}
}

MouseListener::MouseListener() { Listeners().insert(this); }

MouseListener::MouseListener(const MouseListener&) { Listeners().insert(this); }

MouseListener& MouseListener::operator=(const MouseListener&) { return *this; }

MouseListener::~MouseListener()
{
    Listeners().erase(this);
    if (s_dispatchDepth > 0)
    {
        DestroyedDuringDispatch().insert(this);
    }
}

void MouseListener::MouseMotionEvent(Vec2i) {}
void MouseListener::MouseDownEvent(Vec2i, MouseButtonInput) {}
void MouseListener::MouseUpEvent(Vec2i, MouseButtonInput) {}
void MouseListener::MouseWheelEvent(const Vector2&) {}

void MouseListener::DispatchMotion(Vec2i screenCoordinates)
{
    Dispatch([&](MouseListener* listener) { listener->MouseMotionEvent(screenCoordinates); });
}

void MouseListener::DispatchDown(Vec2i screenCoordinates, MouseButtonInput button)
{
    Dispatch([&](MouseListener* listener) { listener->MouseDownEvent(screenCoordinates, button); });
}

void MouseListener::DispatchUp(Vec2i screenCoordinates, MouseButtonInput button)
{
    Dispatch([&](MouseListener* listener) { listener->MouseUpEvent(screenCoordinates, button); });
}

void MouseListener::DispatchWheel(const Vector2& scrollDelta)
{
    Dispatch([&](MouseListener* listener) { listener->MouseWheelEvent(scrollDelta); });
}
