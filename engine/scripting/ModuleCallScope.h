#pragma once

// Marks a call of the script module as under way for as long as it lives: every module
// function makes one first thing. While any such call is under way, the collector's deletions
// wait (the script module queues them), so that no call goes on with an object deleted under
// it; they run when the outermost call returns.
//
// A script error raised inside a module call by Lua itself (a failed allocation, a finalizer
// that raises during one) skips the scope's end. Every protected call the engine makes
// therefore puts the depth back as it found it (SaveDepth, RestoreDepth), and the deletions
// then wait at most until that call returns.
class ModuleCallScope
{
public:
    ModuleCallScope() { ++s_depth; }
    ~ModuleCallScope()
    {
        if (--s_depth == 0 && s_waiting)
            RunWaiting();
    }
    ModuleCallScope(const ModuleCallScope&) = delete;
    ModuleCallScope& operator=(const ModuleCallScope&) = delete;

    static bool IsAnyUnderWay() { return s_depth > 0; }

    // What runs once no module call is under way any more; set by the script module, null
    // for none.
    typedef void (*WaitingWork)();
    static void SetWaitingWork(WaitingWork work);
    // Asks for the waiting work to run when the outermost call returns.
    static void Wait() { s_waiting = true; }

    static int SaveDepth() { return s_depth; }
    // Puts the depth back after a protected call; runs the waiting work when that ends every
    // call. RestoreDepth(0) before the state closes runs what still waits.
    static void RestoreDepth(int depth);

private:
    static void RunWaiting();

    static int s_depth;
    static bool s_waiting;
};
