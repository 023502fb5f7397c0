#pragma once

#include "engine/log/DeveloperLog.h"

// Writes time-stamped lines to a text file, reopening it for every line so
// other programs see each line as soon as it is written.
class FileLog : public DeveloperLog
{
public:
    // GetStorageDirectory() + "Logs/" + name + ".log".
    static String MakeLogFileName(const String& name);

    // Starts the file anew with a header. A missing folder on the way to the
    // file is created.
    explicit FileLog(const String& fileName);
    virtual ~FileLog();

    void Log(const String& text) override;

private:
    String _fileName;
};
