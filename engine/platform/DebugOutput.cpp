#include "engine/platform/DebugOutput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace Platform
{
    void WriteDebugOutput(const char* text)
    {
        if (text == nullptr)
            return;
        size_t remaining = std::strlen(text);
        while (remaining > 0)
        {
            const ssize_t written = ::write(STDERR_FILENO, text, remaining);
            if (written < 0)
            {
                if (errno == EINTR)
                    continue;
                return; // nowhere left to report a broken stderr
            }
            text += written;
            remaining -= static_cast<size_t>(written);
        }
    }
}
