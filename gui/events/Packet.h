#pragma once

#include "gui/TextPair.h"

#include <cstdint>
#include <string>

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Event
    {
        // Extra data given when a handler is attached and handed back on every fire.
        struct Packet
        {
            Controls::Base* Control = nullptr;
            std::string String;
            std::wstring UnicodeString;
            int32_t Integer = 0;
            int32_t Integer2 = 0;
            int32_t Integer3 = 0;
            int32_t Integer4 = 0;
        };
    }
}
