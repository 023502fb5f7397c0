#pragma once

#include <string>

// A fresh temporary directory that becomes the working directory for the
// object's lifetime, so tests that write files never touch the source tree.
// The previous working directory is restored and the directory removed after.
class ScratchDirectory
{
public:
    ScratchDirectory();
    ~ScratchDirectory();

    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return _path; }

private:
    std::string _previous;
    std::string _path;
};
