// The module sweep's child (tests/scripting/ModuleSweepTest.cpp): starts the engine as the
// game does, then runs the sweep script over one part of the module.
#include "engine/core/World.h"
#include "engine/scripting/LuaScriptingModule.h"

#include <lua.hpp>

#include <cstdio>
#include <unistd.h>

// module_sweep_child <sweep script> <class name or module>
int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    World::GetInstance()->Initialize();
    lua_State* state = LuaScriptingModule::GetLuaState();
    // sweep_frame(render): one simulated tick, and a drawn frame when asked.
    lua_register(state, "sweep_frame", [](lua_State* state) {
        World::GetInstance()->Tick(true);
        if (lua_toboolean(state, 1))
            World::GetInstance()->Render();
        return 0;
    });
    const bool swept = luaL_loadfile(state, argv[1]) == LUA_OK &&
                       (lua_pushstring(state, argv[2]), lua_pcall(state, 1, 0, 0) == LUA_OK);
    if (!swept)
        std::fprintf(stderr, "SWEEP FAILED: %s\n", lua_tostring(state, -1));
    // The engine's objects stay as the sweep left them: the process ends here.
    _exit(swept ? 0 : 1);
}
