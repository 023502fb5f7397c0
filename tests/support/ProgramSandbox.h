#pragma once

#include <string>

// A temporary working directory for the real program: a "bits" folder whose Resources and
// Config link to the source tree's, so the program finds its data and writes its own files
// (logs, saved preferences) into the sandbox, never into the source tree.
class ProgramSandbox
{
public:
    ProgramSandbox();
    ~ProgramSandbox();

    const std::string& GetDirectory() const { return _directory; }
    std::string GetBitsDirectory() const { return _directory + "/bits"; }
    static std::string ProgramPath();
    // Where tests leave screenshots and recordings for people to look at.
    static std::string ArtifactDirectory();

private:
    std::string _directory;
};
