#include "support/ScratchDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <vector>

ScratchDirectory::ScratchDirectory()
{
    _previous = std::filesystem::current_path().string();

    const std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("could not create a scratch directory from " + pattern);
    _path = name.data();
    std::filesystem::current_path(_path);
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(_previous, ignored);
    std::filesystem::remove_all(_path, ignored);
}
