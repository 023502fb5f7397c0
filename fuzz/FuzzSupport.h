#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Helpers shared by the fuzz targets.

// Moves the process into a fresh temporary working directory (once), so targets that read
// their input from a file of the working directory never touch the source tree.
void EnterScratchDirectory();

// Writes the input to path (relative to the working directory), creating its folders.
void WriteInputFile(const std::string& path, const uint8_t* data, size_t size);

// Makes every line that reaches the system log abort the run when it holds a raw control
// byte: a log line quoting file contents must escape them.
void TrapRawControlBytesInLog();
