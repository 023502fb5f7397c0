#pragma once

#include <string>
#include <vector>

// Tests that need the audio library started differently (another output driver) run in a
// fresh copy of this test program, because the library reads its configuration only once.
namespace SoundTestEnvironment
{
// Name of the variable that tells a child test it runs in its own process.
extern const char* const kChildVariable;

// True inside a child started by RunInChildProcess.
bool IsChildProcess();
// Runs the one test named by filter in a new copy of this program, in workingDirectory,
// with the current environment plus kChildVariable; true when it passed.
bool RunInChildProcess(const std::string& filter, const std::string& workingDirectory);
// Calls pump every two milliseconds until done() holds or the timeout passes; true when done.
template <class Pump, class Done>
bool PumpUntil(Pump pump, Done done, double timeoutSeconds);
double Now();
void SleepSeconds(double seconds);
}

template <class Pump, class Done>
bool SoundTestEnvironment::PumpUntil(Pump pump, Done done, double timeoutSeconds)
{
    const double deadline = Now() + timeoutSeconds;
    while (Now() < deadline)
    {
        pump();
        if (done())
        {
            return true;
        }
        SleepSeconds(0.002);
    }
    return false;
}
