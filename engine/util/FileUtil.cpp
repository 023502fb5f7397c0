#include "engine/util/FileUtil.h"

#include "engine/log/CompoundLog.h"
#include "engine/platform/FileSystem.h"
#include "engine/util/StringUtil.h"

#include <fstream>
#include <iterator>

namespace
{
    bool WriteLines(std::ofstream& file, const StringList& lines)
    {
        for (size_t i = 0; i < lines.size(); ++i)
            file << lines[i] << '\n';
        file.close();
        // close() flushes, so a full disk shows up here.
        return !file.fail();
    }

    bool EndsWith(const String& text, const String& ending)
    {
        return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    }
}

bool ReadLinesFromFile(const String& path, StringList& lines)
{
    // A directory opens like an empty file here; it is not one.
    if (Platform::IsDirectory(path))
        return false;
    std::ifstream file(path.c_str(), std::ios::in | std::ios::binary);
    if (!file.is_open())
        return false;

    String line;
    do
    {
        std::getline(file, line);
        lines.push_back(line);
    } while (file.good());
    return true;
}

String ReadWholeFile(const String& path)
{
    if (Platform::IsDirectory(path))
        return "";
    std::ifstream file(path.c_str(), std::ios::in | std::ios::binary);
    if (!file.is_open())
        return "";
    return String(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteLinesToFile(const String& path, const StringList& lines)
{
    std::ofstream file(path.c_str(), std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file.is_open())
        return false;
    return WriteLines(file, lines);
}

bool AppendLineToFile(const String& path, const String& line)
{
    std::ofstream file(path.c_str(), std::ios::out | std::ios::app | std::ios::binary);
    if (!file.is_open())
        return false;
    return WriteLines(file, StringList(1, line));
}

bool MakeDirectories(const String& path)
{
    return Platform::CreateDirectoryTree(path);
}

bool FileExists(const String& path)
{
    return Platform::PathExists(path);
}

String GetStorageDirectory()
{
    return "./";
}

String GetDocumentsPath()
{
    const String documents = Platform::DocumentsDirectory();
    if (documents.empty())
        CompoundLog::GetSystemLog().Log("ERROR: Couldn't get path to \"My Documents\" directory.");
    return documents;
}

String GetExeName()
{
    String path = Platform::ExecutablePath();
    if (EndsWith(path, ".exe"))
        path.erase(path.size() - 4);
    const StringList parts = SplitString(path, "/", true);
    if (parts.empty())
        return "";
    return parts.back();
}
