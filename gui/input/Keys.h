#pragma once

// The toolkit's key codes; the host maps its keys to these. 14 and 15 have no key of their own.
namespace Gui
{
    namespace Key
    {
        enum
        {
            Invalid = 0,
            Return = 1,
            Backspace = 2,
            Delete = 3,
            Left = 4,
            Right = 5,
            Shift = 6,
            Tab = 7,
            Space = 8,
            Home = 9,
            End = 10,
            Control = 11,
            Up = 12,
            Down = 13,
            Code14 = 14,
            Code15 = 15,
            Count = 16
        };
    }
}
