#include "engine/platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
    const char kSeparator = '/';

    bool MakeOneDirectory(const String& path, bool& createdNow)
    {
        createdNow = false;
        if (::mkdir(path.c_str(), 0777) == 0)
        {
            createdNow = true;
            return true;
        }
        // Something already there is only fine when it is a directory.
        return errno == EEXIST && Platform::IsDirectory(path);
    }

    String WithoutTrailingSeparators(String path)
    {
        while (path.size() > 1 && path[path.size() - 1] == kSeparator)
            path.erase(path.size() - 1);
        return path;
    }

    String HomeDirectory()
    {
        const char* home = std::getenv("HOME");
        if (home != nullptr && home[0] != '\0')
            return home;

        std::vector<char> buffer(16384);
        passwd entry;
        passwd* found = nullptr;
        if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr
            && found->pw_dir != nullptr)
            return found->pw_dir;
        return "";
    }

    String UserDirsFile(const String& home)
    {
        const char* configHome = std::getenv("XDG_CONFIG_HOME");
        if (configHome != nullptr && configHome[0] == kSeparator)
            return String(configHome) + "/user-dirs.dirs";
        if (home.empty())
            return "";
        return home + "/.config/user-dirs.dirs";
    }

    // Reads one value of the form "$HOME/sub/dir" or "/absolute/dir"; anything
    // else is not a path the user-dirs format allows, so it is ignored.
    String ExpandUserDirValue(String value, const String& home)
    {
        if (value.size() >= 2 && value[0] == '"' && value[value.size() - 1] == '"')
            value = value.substr(1, value.size() - 2);
        const String homeVariable = "$HOME";
        if (value.compare(0, homeVariable.size(), homeVariable) == 0)
        {
            if (home.empty())
                return "";
            return home + value.substr(homeVariable.size());
        }
        if (!value.empty() && value[0] == kSeparator)
            return value;
        return "";
    }

    String DocumentsFromUserDirsFile(const String& home)
    {
        const String fileName = UserDirsFile(home);
        if (fileName.empty())
            return "";
        std::ifstream file(fileName.c_str());
        const String key = "XDG_DOCUMENTS_DIR=";
        String line;
        while (std::getline(file, line))
        {
            const size_t start = line.find_first_not_of(" \t");
            if (start == String::npos || line.compare(start, key.size(), key) != 0)
                continue;
            String value = line.substr(start + key.size());
            const size_t end = value.find_last_not_of(" \t\r");
            value = (end == String::npos) ? String() : value.substr(0, end + 1);
            return ExpandUserDirValue(value, home);
        }
        return "";
    }
}

namespace Platform
{
    bool CreateDirectoryTree(const String& path)
    {
        const String target = WithoutTrailingSeparators(path);
        if (target.empty() || IsDirectory(target))
            return false;

        bool createdNow = false;
        size_t next = target.find(kSeparator, 1);
        while (true)
        {
            const String prefix = target.substr(0, next);
            if (!MakeOneDirectory(prefix, createdNow))
                return false;
            if (next == String::npos)
                return createdNow;
            next = target.find(kSeparator, next + 1);
        }
    }

    bool PathExists(const String& path)
    {
        struct stat status;
        return ::stat(path.c_str(), &status) == 0;
    }

    bool IsDirectory(const String& path)
    {
        struct stat status;
        return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }

    String CurrentDirectory()
    {
        std::vector<char> buffer(256);
        while (::getcwd(buffer.data(), buffer.size()) == nullptr)
        {
            if (errno != ERANGE)
                return "";
            buffer.resize(buffer.size() * 2);
        }
        return buffer.data();
    }

    bool ChangeDirectory(const String& path)
    {
        return !path.empty() && ::chdir(path.c_str()) == 0;
    }

    String DocumentsDirectory()
    {
        const char* fromEnvironment = std::getenv("XDG_DOCUMENTS_DIR");
        if (fromEnvironment != nullptr && fromEnvironment[0] != '\0')
            return WithoutTrailingSeparators(fromEnvironment);

        const String home = HomeDirectory();
        const String fromFile = DocumentsFromUserDirsFile(home);
        if (!fromFile.empty())
            return WithoutTrailingSeparators(fromFile);

        if (home.empty())
            return "";
        return WithoutTrailingSeparators(home) + "/Documents";
    }

    String ExecutablePath()
    {
        std::vector<char> buffer(256);
        while (true)
        {
            const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
            if (length < 0)
                return "";
            if (static_cast<size_t>(length) < buffer.size())
                return String(buffer.data(), static_cast<size_t>(length));
            buffer.resize(buffer.size() * 2); // possibly cut: try again with more room
        }
    }
}
