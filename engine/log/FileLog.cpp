#include "engine/log/FileLog.h"

#include "engine/log/CompoundLog.h"
#include "engine/util/FileUtil.h"
#include "engine/util/StringUtil.h"

namespace
{
    // The folder part of a file path, "" when the file sits in the working directory.
    String FolderOf(const String& fileName)
    {
        const size_t lastSeparator = fileName.find_last_of('/');
        if (lastSeparator == String::npos)
            return "";
        return fileName.substr(0, lastSeparator);
    }
}

String FileLog::MakeLogFileName(const String& name)
{
    return GetStorageDirectory() + "Logs/" + name + ".log";
}

FileLog::FileLog(const String& fileName) : _fileName(fileName)
{
    const String folder = FolderOf(_fileName);
    if (!folder.empty())
        MakeDirectories(folder);

    StringList header;
    header.push_back("Opened Log: " + _fileName);
    header.push_back("On: " + GetTimeString());
    header.push_back("");
    // Reported once here; the lines that follow would fail the same way.
    if (!WriteLinesToFile(_fileName, header))
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't open log file \"%s\" for writing.", _fileName.c_str());
}

FileLog::~FileLog() {}

void FileLog::Log(const String& text)
{
    AppendLineToFile(_fileName, GetTimeString() + ": " + text);
}
