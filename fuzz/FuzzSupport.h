#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct lua_State;

// Helpers shared by the fuzz targets.

// Aborts the run, naming the fault, unless holds.
void Require(bool holds, const char* fault);

// Moves the process into a fresh temporary working directory (once), so targets that read
// their input from a file of the working directory never touch the source tree.
void EnterScratchDirectory();

// Writes the input to path (relative to the working directory), creating its folders.
void WriteInputFile(const std::string& path, const uint8_t* data, size_t size);

// Makes every line that reaches the system log abort the run when it holds a raw control
// byte: a log line quoting file contents must escape them.
void TrapRawControlBytesInLog();

// Copies a file of the source tree to the same path under the working directory.
void CopyFromSource(const std::string& path);

// Opens the World's window (once), so a target can draw as the running game does: the
// display is scripts/fuzz.sh's virtual X server. Call after EnterScratchDirectory; aborts the
// run when no window can be opened.
void OpenWorldWindow();

// Waits for the drawing so far to be done and aborts the run when OpenGL reports an error:
// drawing must leave no error behind, whatever it drew.
void FinishDrawing(const char* what);

// Bounds what the scripts run for one input may cost, so hostile text ends in a script
// error instead of a hang or an exhausted process: about a million instructions, then every
// further instruction fails (a pcall that catches the error can't keep a loop going), and
// 64 MB for the whole state. Call before each input (or each step of one) to grant a fresh
// instruction budget.
void LimitScriptCosts(lua_State* state);
