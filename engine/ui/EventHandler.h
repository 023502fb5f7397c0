#pragma once

#include "gui/events/Handler.h"

#include <functional>
#include <map>

namespace Gui
{
    namespace Controls
    {
        class Base;
    }
}

// Receives the press events of the controls the UserInterface makes and calls the engine's
// callbacks for them: a plain callback per button, and a choice callback per choice box,
// which gets the index of the pressed choice. One global object; entries go away with their
// controls (the UserInterface tells it), so an address reused by a new control never fires
// an old callback.
class EventHandler : public Gui::Event::Handler
{
public:
    typedef std::function<void()> ButtonCallback;
    typedef std::function<void(int)> ChoiceCallback;

    static EventHandler& GetInstance();

    // Stores or replaces the control's entry.
    void SetButtonCallback(Gui::Controls::Base* button, const ButtonCallback& callback);
    void SetChoiceCallback(Gui::Controls::Base* choiceBox, const ChoiceCallback& callback);
    // Drops every entry of the control; called when it is deleted.
    void Forget(Gui::Controls::Base* control);

    // Attached to the onPress event of every button the UserInterface makes. A choice's
    // press also asks the UserInterface to remove its choice box, which happens at the next
    // frame since this runs inside the toolkit.
    void OnPress(Gui::Controls::Base* control);

private:
    EventHandler() {}

    std::map<Gui::Controls::Base*, ButtonCallback> _buttonCallbacks;
    std::map<Gui::Controls::Base*, ChoiceCallback> _choiceCallbacks;
};
