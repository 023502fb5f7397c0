#pragma once

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Anim
    {
        class Animation;

        // The registry of running animations by control. Add takes ownership.
        void Add(Controls::Base* control, Animation* animation);
        // Deletes the control's animations without finishing them.
        void Cancel(Controls::Base* control);
        // Lets every animation think once and deletes the finished ones. Animations may add
        // or cancel animations (of any control) while they think.
        void Think();
        // How many animations the control has.
        int Count(Controls::Base* control);
    }
}
