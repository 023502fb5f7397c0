#include "support/ProgramSandbox.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

ProgramSandbox::ProgramSandbox()
{
    char pattern[] = "/tmp/zarvo-run-XXXXXX";
    if (mkdtemp(pattern) == 0)
    {
        return;
    }
    _directory = pattern;
    const std::string bits = GetBitsDirectory();
    mkdir(bits.c_str(), 0755);
    const std::string source = ZARVO_SOURCE_DIR;
    if (symlink((source + "/Resources").c_str(), (bits + "/Resources").c_str()) != 0 ||
        symlink((source + "/Config").c_str(), (bits + "/Config").c_str()) != 0)
    {
        _directory.clear();
    }
}

ProgramSandbox::~ProgramSandbox()
{
    if (!_directory.empty() && std::getenv("ZARVO_KEEP_SANDBOX") == 0)
    {
        std::string command = "rm -rf '" + _directory + "'";
        if (std::system(command.c_str()) != 0)
        {
            // Nothing more to do: a leftover temp folder harms no later test.
        }
    }
}

std::string ProgramSandbox::ProgramPath()
{
    return std::string(ZARVO_BINARY_DIR) + "/skarrow";
}

std::string ProgramSandbox::ArtifactDirectory()
{
    const std::string path = std::string(ZARVO_BINARY_DIR) + "/test-artifacts";
    mkdir(path.c_str(), 0755);
    return path;
}
