#include "engine/scripting/ModuleCallScope.h"

namespace
{
    ModuleCallScope::WaitingWork s_work = 0;
}

int ModuleCallScope::s_depth = 0;
bool ModuleCallScope::s_waiting = false;

void ModuleCallScope::SetWaitingWork(WaitingWork work) { s_work = work; }

void ModuleCallScope::RestoreDepth(int depth)
{
    s_depth = depth;
    if (s_depth == 0 && s_waiting)
        RunWaiting();
}

void ModuleCallScope::RunWaiting()
{
    // The work may make module calls of its own, which ask again only for what they queue.
    s_waiting = false;
    if (s_work != 0)
        s_work();
}
