#pragma once

#include "gui/Point.h"
#include "gui/TextPair.h"
#include "gui/events/Packet.h"

#include <list>
#include <string>

namespace Gui
{
    namespace Event
    {
        // What a handler function taking information receives. Valid only during the call.
        struct Information
        {
            // The control that fired.
            Controls::Base* Control = nullptr;
            // The packet given when this handler was attached.
            struct Packet* Packet = nullptr;
            Controls::Base* ControlCaller = nullptr;
            std::list<TextPair> StringList;
            std::wstring UnicodeString;
            std::string String;
            Gui::Point Point;
            int Integer = 0;
        };
    }
}
