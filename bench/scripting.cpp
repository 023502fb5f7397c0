// Cost of crossing between Lua and the engine: a call into the engine through the generated
// module (actor:SetPosition(x, y), actor:GetPosition()) beside a hand-written lua_CFunction
// doing the same work, and the engine calling a script function by name beside a raw
// lua_pcall. Prints nanoseconds per call and the ratios.
//   build/bench/bench_scripting
#include "engine/actors/Actor.h"
#include "engine/scripting/LuaScriptingModule.h"

#include <lua.hpp>

#include <chrono>
#include <cstdio>

namespace
{
const int kScriptCalls = 5000000;
const int kEngineCalls = 2000000;

typedef std::chrono::steady_clock Clock;

Actor* CheckActor(lua_State* state)
{
    return *static_cast<Actor**>(luaL_checkudata(state, 1, "HandActor"));
}

int HandSetPosition(lua_State* state)
{
    CheckActor(state)->SetPosition((float)luaL_checknumber(state, 2), (float)luaL_checknumber(state, 3));
    return 0;
}

// Hands out a copy in a userdata of its own, as the module does.
int HandGetPosition(lua_State* state)
{
    const Vector2& position = CheckActor(state)->GetPosition();
    Vector2* copy = static_cast<Vector2*>(lua_newuserdata(state, sizeof(Vector2)));
    *copy = position;
    return 1;
}

void RegisterHandWrittenActor(lua_State* state, Actor* actor)
{
    *static_cast<Actor**>(lua_newuserdata(state, sizeof(Actor*))) = actor;
    luaL_newmetatable(state, "HandActor");
    lua_newtable(state);
    lua_pushcfunction(state, HandSetPosition);
    lua_setfield(state, -2, "SetPosition");
    lua_pushcfunction(state, HandGetPosition);
    lua_setfield(state, -2, "GetPosition");
    lua_setfield(state, -2, "__index");
    lua_setmetatable(state, -2);
    lua_setglobal(state, "handActor");
}

// Runs the loop body kScriptCalls times in Lua; nanoseconds per iteration.
double TimeLoop(lua_State* state, const char* actorGlobal, const char* body)
{
    char chunk[256];
    std::snprintf(chunk, sizeof(chunk), "local a, m = ..., %d for i = 1, m do %s end", kScriptCalls, body);
    if (luaL_loadstring(state, chunk) != LUA_OK)
    {
        std::printf("%s\n", lua_tostring(state, -1));
        return 0.0;
    }
    lua_getglobal(state, actorGlobal);
    const Clock::time_point start = Clock::now();
    if (lua_pcall(state, 1, 0, 0) != LUA_OK)
        std::printf("%s\n", lua_tostring(state, -1));
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kScriptCalls;
}

double TimeEngineCalls(lua_State* state, bool byName)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kEngineCalls; ++i)
    {
        if (byName)
        {
            LuaScriptingModule::CallFunction("LoadTuningVariables");
        }
        else
        {
            lua_getglobal(state, "LoadTuningVariables");
            lua_pcall(state, 0, 0, 0);
        }
    }
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kEngineCalls;
}

void PrintPair(const char* what, double module, double hand, const char* moduleName, const char* handName)
{
    std::printf("%-14s %-22s %8.1f ns   %-22s %8.1f ns   ratio %.2f\n", what, moduleName, module, handName, hand,
                module / hand);
}
}

int main()
{
    LuaScriptingModule::Prepare();
    lua_State* state = LuaScriptingModule::GetLuaState();
    Actor actor;
    RegisterHandWrittenActor(state, &actor);
    luaL_dostring(state, "moduleActor = zarvo.Actor() function LoadTuningVariables() end");

    // Empty loop first, so the figures below are the calls alone.
    const double loop = TimeLoop(state, "handActor", "m = m");
    const double moduleSet = TimeLoop(state, "moduleActor", "a:SetPosition(i, i)") - loop;
    const double handSet = TimeLoop(state, "handActor", "a:SetPosition(i, i)") - loop;
    // Garbage from the copies is part of a get's cost, in both forms.
    const double moduleGet = TimeLoop(state, "moduleActor", "a:GetPosition()") - loop;
    const double handGet = TimeLoop(state, "handActor", "a:GetPosition()") - loop;
    const double byName = TimeEngineCalls(state, true);
    const double raw = TimeEngineCalls(state, false);

    std::printf("Lua loop overhead %.1f ns per iteration (subtracted)\n", loop);
    PrintPair("set position", moduleSet, handSet, "module SetPosition", "hand-written");
    PrintPair("get position", moduleGet, handGet, "module GetPosition", "hand-written");
    PrintPair("engine -> Lua", byName, raw, "call by name", "raw lua_pcall");
    return 0;
}
