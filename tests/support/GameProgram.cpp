#include "support/GameProgram.h"

#include "support/ProgramSandbox.h"
#include "support/X11Display.h"

#include <chrono>
#include <thread>

unsigned long StartGameAfresh(std::unique_ptr<ProgramProcess>& program, X11Display& display,
                              const std::string& directory, const std::function<void(ProgramProcess&)>& prepare)
{
    if (program)
    {
        program->Kill();
        // The new window is found by the same title: the old one must be gone.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    program.reset(new ProgramProcess(ProgramSandbox::ProgramPath(), directory));
    if (prepare)
        prepare(*program);
    if (!program->Start())
        return 0;
    return display.WaitForWindow("Zarvo Engine", 20.0);
}
