#include "gui/platform/DialogProgram.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace Gui
{
namespace WindowsLayer
{
namespace
{
const char* const kProgram = "zenity";

// Starts the program with its standard output on the given descriptor (or inherited when -1)
// and its standard error discarded: its toolkit's chatter is no part of the program's output.
bool Spawn(const std::vector<std::string>& arguments, int outputDescriptor, pid_t& child)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputDescriptor >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputDescriptor, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kProgram));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int error = posix_spawnp(&child, kProgram, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    errno = error;
    return error == 0;
}

// The exit status, or -2 when the child did not end normally.
int WaitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
    {
        if (errno != EINTR)
            return -2;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}
}

bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

int RunDialogProgram(const std::vector<std::string>& arguments, std::string& output)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;
    pid_t child = 0;
    const bool started = Spawn(arguments, pipeEnds[1], child);
    const int spawnError = errno;
    close(pipeEnds[1]);
    if (!started)
    {
        close(pipeEnds[0]);
        errno = spawnError;
        return -1;
    }
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(pipeEnds[0], buffer, sizeof(buffer))) != 0)
    {
        if (count > 0)
            output.append(buffer, count);
        else if (errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    return WaitFor(child);
}

bool StartDialogProgram(const std::vector<std::string>& arguments)
{
    pid_t child = 0;
    if (!Spawn(arguments, -1, child))
        return false;
    // Collected when it ends, so no finished dialog lingers as a zombie process.
    std::thread([child] { WaitFor(child); }).detach();
    return true;
}
}
}
