#pragma once

#include "gui/Rect.h"

namespace Gui
{
    namespace Utility
    {
        // Moves inside into outside; with clampSize an overhanging side is cut to fit instead.
        Rect ClampRectToRect(Rect inside, const Rect& outside, bool clampSize = false);
    }
}
