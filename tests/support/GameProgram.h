#pragma once

#include "support/ProgramProcess.h"

#include <functional>
#include <memory>
#include <string>

class X11Display;

// Starts the game of the build afresh for a test under the test's X server. A run still held
// in 'program' is killed first; the new one runs in 'directory', its environment changed by
// 'prepare' (when given) before it starts. Returns the new game's window, 0 when the program
// did not start or showed no window within 20 s.
unsigned long StartGameAfresh(std::unique_ptr<ProgramProcess>& program, X11Display& display,
                              const std::string& directory,
                              const std::function<void(ProgramProcess&)>& prepare = nullptr);
