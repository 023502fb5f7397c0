#include "support/ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

ProgramProcess::ProgramProcess(const std::string& executable, const std::string& workingDirectory,
                               const std::vector<std::string>& arguments)
    : _executable(executable), _workingDirectory(workingDirectory), _arguments(arguments),
      _pid(-1), _exitStatus(-1), _exitedNormally(false), _finished(false)
{
    char pattern[] = "/tmp/zarvo-stderr-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd >= 0)
    {
        close(fd);
        _errorFile = pattern;
    }
}

ProgramProcess::~ProgramProcess()
{
    if (IsRunning())
    {
        Kill();
    }
    if (!_errorFile.empty())
    {
        unlink(_errorFile.c_str());
    }
}

void ProgramProcess::SetEnvironment(const std::string& name, const std::string& value)
{
    _setVariables.push_back(std::make_pair(name, value));
}

void ProgramProcess::UnsetEnvironment(const std::string& name)
{
    _unsetVariables.push_back(name);
}

bool ProgramProcess::Start()
{
    _pid = fork();
    if (_pid < 0)
    {
        return false;
    }
    if (_pid == 0)
    {
        if (chdir(_workingDirectory.c_str()) != 0)
        {
            _exit(127);
        }
        for (size_t i = 0; i < _unsetVariables.size(); ++i)
        {
            unsetenv(_unsetVariables[i].c_str());
        }
        for (size_t i = 0; i < _setVariables.size(); ++i)
        {
            setenv(_setVariables[i].first.c_str(), _setVariables[i].second.c_str(), 1);
        }
        int fd = open(_errorFile.c_str(), O_WRONLY | O_TRUNC);
        if (fd >= 0)
        {
            dup2(fd, 2);
            close(fd);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(_executable.c_str()));
        for (size_t i = 0; i < _arguments.size(); ++i)
        {
            argv.push_back(const_cast<char*>(_arguments[i].c_str()));
        }
        argv.push_back(0);
        execv(_executable.c_str(), argv.data());
        _exit(127);
    }
    return true;
}

bool ProgramProcess::WaitForExit(double timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!_finished)
    {
        int status = 0;
        pid_t result = waitpid(_pid, &status, WNOHANG);
        if (result == _pid)
        {
            _finished = true;
            _exitedNormally = WIFEXITED(status);
            _exitStatus = _exitedNormally ? WEXITSTATUS(status) : -WTERMSIG(status);
            break;
        }
        if (result < 0 || std::chrono::steady_clock::now() > deadline)
        {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool ProgramProcess::IsRunning()
{
    if (_pid <= 0 || _finished)
    {
        return false;
    }
    return !WaitForExit(0.0);
}

void ProgramProcess::Kill()
{
    if (_pid > 0 && !_finished)
    {
        kill(_pid, SIGKILL);
        WaitForExit(5.0);
    }
}

std::string ProgramProcess::ReadErrorOutput() const
{
    std::ifstream in(_errorFile.c_str());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
