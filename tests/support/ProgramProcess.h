#pragma once

#include <string>
#include <utility>
#include <vector>

// Runs a program of the build as a child process in a chosen working directory, with its
// standard error captured to a file, so tests can drive the real executable.
class ProgramProcess
{
public:
    ProgramProcess(const std::string& executable, const std::string& workingDirectory,
                   const std::vector<std::string>& arguments = std::vector<std::string>());
    ~ProgramProcess();

    // Changes to the child's environment, applied when it starts: a variable set to a value,
    // or removed.
    void SetEnvironment(const std::string& name, const std::string& value);
    void UnsetEnvironment(const std::string& name);

    bool Start();
    // Waits up to the timeout; true when the process ended (its status is then known).
    bool WaitForExit(double timeoutSeconds);
    bool IsRunning();
    void Kill();

    int GetExitStatus() const { return _exitStatus; }
    bool ExitedNormally() const { return _exitedNormally; }
    int GetPid() const { return _pid; }
    std::string ReadErrorOutput() const;

private:
    std::string _executable;
    std::string _workingDirectory;
    std::vector<std::string> _arguments;
    std::vector<std::pair<std::string, std::string> > _setVariables;
    std::vector<std::string> _unsetVariables;
    std::string _errorFile;
    int _pid;
    int _exitStatus;
    bool _exitedNormally;
    bool _finished;
};
