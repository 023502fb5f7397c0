#include "engine/ui/EventHandler.h"

#include "engine/ui/UserInterface.h"
#include "gui/controls/Base.h"

EventHandler& EventHandler::GetInstance()
{
    static EventHandler handler;
    return handler;
}

void EventHandler::SetButtonCallback(Gui::Controls::Base* button, const ButtonCallback& callback)
{
    _buttonCallbacks[button] = callback;
}

void EventHandler::SetChoiceCallback(Gui::Controls::Base* choiceBox, const ChoiceCallback& callback)
{
    _choiceCallbacks[choiceBox] = callback;
}

void EventHandler::Forget(Gui::Controls::Base* control)
{
    _buttonCallbacks.erase(control);
    _choiceCallbacks.erase(control);
}

void EventHandler::OnPress(Gui::Controls::Base* control)
{
    auto button = _buttonCallbacks.find(control);
    if (button != _buttonCallbacks.end())
    {
        // A copy: the callback may replace or drop its own entry.
        const ButtonCallback callback = button->second;
        if (callback)
        {
            callback();
        }
        return;
    }

    Gui::Controls::Base* choiceBox = control->GetParent();
    auto choice = _choiceCallbacks.find(choiceBox);
    if (choice == _choiceCallbacks.end())
    {
        return;
    }
    int index = 0;
    bool found = false;
    for (Gui::Controls::Base* child : choiceBox->GetChildren())
    {
        if (child == control)
        {
            found = true;
            break;
        }
        ++index;
    }
    const ChoiceCallback callback = choice->second;
    if (callback)
    {
        callback(found ? index : -1);
    }
    UserInterface::GetInstance()->RemoveControl(choiceBox);
}
