// The child program of the module sweep (tests/scripting/ModuleSweepTest.cpp): starts the
// engine as the game does, then runs the sweep script over one part of the module. Each
// call is announced on the standard error first, so a crash names the call that caused it.

#include "engine/core/World.h"
#include "engine/scripting/LuaScriptingModule.h"

#include <lua.hpp>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
    int Note(lua_State* state)
    {
        size_t length = 0;
        const char* text = luaL_checklstring(state, 1, &length);
        const std::string line = "SWEEP: " + std::string(text, length) + "\n";
        const ssize_t written = write(2, line.data(), line.size());
        (void)written;
        return 0;
    }

    // One simulated tick; with a true argument the frame is drawn too.
    int Frame(lua_State* state)
    {
        World::GetInstance()->Tick(true);
        if (lua_toboolean(state, 1))
            World::GetInstance()->Render();
        return 0;
    }
}

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: module_sweep_child <sweep script> <class name or module>\n");
        return 2;
    }
    World::GetInstance()->Initialize();
    lua_State* state = LuaScriptingModule::GetLuaState();
    lua_register(state, "sweep_note", Note);
    lua_register(state, "sweep_frame", Frame);
    int status = luaL_loadfile(state, argv[1]);
    if (status == LUA_OK)
    {
        lua_pushstring(state, argv[2]);
        status = lua_pcall(state, 1, 0, 0);
    }
    if (status != LUA_OK)
        std::fprintf(stderr, "SWEEP FAILED: %s\n", lua_tostring(state, -1));
    std::fflush(stderr);
    // The engine's objects stay as the sweep left them: the process ends here.
    _exit(status == LUA_OK ? 0 : 1);
}
