#include "FuzzSupport.h"

#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/log/DeveloperLog.h"
#include "engine/util/FileUtil.h"

#include <GL/gl.h>
#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{
const int kInstructionsPerTick = 10000;
const int kTicksPerInput = 100;
const size_t kScriptMemoryLimit = 64u << 20;

int s_ticksLeft = 0;
size_t s_scriptBytes = 0;

void CountInstructions(lua_State* state, lua_Debug* /*event*/)
{
    if (s_ticksLeft > 0 && --s_ticksLeft > 0)
    {
        return;
    }
    lua_sethook(state, CountInstructions, LUA_MASKCOUNT, 1);
    luaL_error(state, "the fuzz input's instruction budget is spent");
}

// Lua's allocator contract, over malloc, refusing growth past the limit (Lua then raises
// its memory error).
void* AllocateWithinLimit(void* /*userData*/, void* block, size_t oldSize, size_t newSize)
{
    if (block == 0)
    {
        oldSize = 0; // a new block's old size is the kind of object
    }
    if (newSize == 0)
    {
        s_scriptBytes -= std::min(oldSize, s_scriptBytes);
        std::free(block);
        return 0;
    }
    if (newSize > oldSize && s_scriptBytes + (newSize - oldSize) > kScriptMemoryLimit)
    {
        return 0;
    }
    void* resized = std::realloc(block, newSize);
    if (resized != 0)
    {
        s_scriptBytes = s_scriptBytes - std::min(oldSize, s_scriptBytes) + newSize;
    }
    return resized;
}

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

namespace
{
char scratchDirectory[] = "/tmp/zarvo-fuzz-XXXXXX";

// A run that ends normally leaves nothing behind; one that crashes keeps its files to look at.
void RemoveScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratchDirectory, ignored);
}
}

void Require(bool holds, const char* fault)
{
    if (!holds)
    {
        std::fprintf(stderr, "fault: %s\n", fault);
        std::abort();
    }
}

void EnterScratchDirectory()
{
    static bool entered = false;
    if (entered)
    {
        return;
    }
    if (mkdtemp(scratchDirectory) == 0 || chdir(scratchDirectory) != 0)
    {
        std::perror("zarvo fuzz: scratch directory");
        std::abort();
    }
    std::atexit(RemoveScratchDirectory);
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

void CopyFromSource(const std::string& path)
{
    const String text = ReadWholeFile(ZARVO_SOURCE_DIR "/" + path);
    WriteInputFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void LimitScriptCosts(lua_State* state)
{
    if (lua_getallocf(state, 0) != AllocateWithinLimit)
    {
        // What the state holds already was allocated before the switch.
        s_scriptBytes = (size_t)lua_gc(state, LUA_GCCOUNT, 0) * 1024 + (size_t)lua_gc(state, LUA_GCCOUNTB, 0);
        lua_setallocf(state, AllocateWithinLimit, 0);
    }
    s_ticksLeft = kTicksPerInput;
    lua_sethook(state, CountInstructions, LUA_MASKCOUNT, kInstructionsPerTick);
}

void OpenWorldWindow()
{
    static bool opened = false;
    if (opened)
    {
        return;
    }
    if (!World::GetInstance()->Initialize("Zarvo Engine", false, false, false))
    {
        std::fprintf(stderr, "zarvo fuzz: no window (is there a display?)\n");
        std::abort();
    }
    opened = true;
}

void FinishDrawing(const char* what)
{
    glFinish();
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
    {
        std::fprintf(stderr, "OpenGL error 0x%x after %s\n", error, what);
        std::abort();
    }
}
