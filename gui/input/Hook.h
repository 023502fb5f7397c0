#pragma once

#include <list>

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    // Objects that see every click before the clicked control (a hook that answers true
    // consumes the click) and every control's deletion. Hooks are not owned: remove one
    // before deleting it.
    namespace Hook
    {
        class BaseHook
        {
        public:
            virtual ~BaseHook() {}
            virtual bool OnControlClicked(Controls::Base* control, int mouseX, int mouseY)
            {
                return (void)control, (void)mouseX, (void)mouseY, false;
            }
            // Called from every control's destructor, so a hook that keeps control pointers
            // can forget them before the address is reused.
            virtual void OnControlDeleted(Controls::Base* control) { (void)control; }
        };

        typedef std::list<BaseHook*> HookList;

        HookList& GetHookList();
        void AddHook(BaseHook* hook);
        void RemoveHook(BaseHook* hook);
    }
}
