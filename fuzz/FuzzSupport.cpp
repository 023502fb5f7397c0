#include "FuzzSupport.h"

#include "engine/log/CompoundLog.h"
#include "engine/log/DeveloperLog.h"
#include "engine/util/FileUtil.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace
{
class ControlByteTrap : public DeveloperLog
{
public:
    void Log(const String& text) override
    {
        // A line may end in the newline of its own format.
        const size_t end = (!text.empty() && text[text.size() - 1] == '\n') ? text.size() - 1 : text.size();
        for (size_t i = 0; i < end; ++i)
        {
            const unsigned char byte = (unsigned char)text[i];
            if (byte < 32 || byte == 127)
            {
                std::fprintf(stderr, "raw control byte %d in log line: %s\n", byte, text.c_str());
                std::abort();
            }
        }
    }
};
}

void EnterScratchDirectory()
{
    static bool entered = false;
    if (entered)
    {
        return;
    }
    char pattern[] = "/tmp/zarvo-fuzz-XXXXXX";
    if (mkdtemp(pattern) == 0 || chdir(pattern) != 0)
    {
        std::perror("zarvo fuzz: scratch directory");
        std::abort();
    }
    entered = true;
}

void WriteInputFile(const std::string& path, const uint8_t* data, size_t size)
{
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos)
    {
        MakeDirectories(path.substr(0, slash));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), (std::streamsize)size);
}

void TrapRawControlBytesInLog()
{
    static ControlByteTrap trap;
    CompoundLog::GetSystemLog().AddLog(&trap);
}
