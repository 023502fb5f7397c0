#include "gui/input/Hook.h"

namespace Gui
{
namespace Hook
{
HookList& GetHookList()
{
    static HookList hooks;
    return hooks;
}

void AddHook(BaseHook* hook)
{
    GetHookList().push_back(hook);
}

void RemoveHook(BaseHook* hook)
{
    GetHookList().remove(hook);
}
}
}
