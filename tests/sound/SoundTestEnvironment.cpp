#include "sound/SoundTestEnvironment.h"

#include "support/ProgramProcess.h"
#include "support/ScopedEnvironment.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace SoundTestEnvironment
{
const char* const kChildVariable = "ZARVO_SOUND_TEST_CHILD";

bool IsChildProcess() { return std::getenv(kChildVariable) != nullptr; }

bool RunInChildProcess(const std::string& filter, const std::string& workingDirectory)
{
    char executable[4096] = {0};
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    if (length <= 0)
    {
        return false;
    }
    ScopedEnvironment environment;
    environment.Set(kChildVariable, "1");
    ProgramProcess child(std::string(executable, length), workingDirectory,
                         std::vector<std::string>{"--gtest_filter=" + filter});
    if (!child.Start() || !child.WaitForExit(60.0))
    {
        return false;
    }
    return child.ExitedNormally() && child.GetExitStatus() == 0;
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }
}
