// Cost of crossing between Lua and the engine: a call into the engine through the generated
// module (actor:SetPosition(x, y), actor:GetPosition(), actor:GetSpriteTexture(frame), whose
// int argument is range-checked) beside a hand-written lua_CFunction doing the same work, and
// the engine calling a script function by name beside a raw lua_pcall. Prints nanoseconds per
// call and the ratios.
//   build/bench/bench_scripting
#include "engine/actors/Actor.h"
#include "engine/scripting/LuaScriptingModule.h"

#include <lua.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace
{
const int kRounds = 5;
const int kScriptCalls = 1000000;
const int kEngineCalls = 400000;

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

int HandGetSpriteTexture(lua_State* state)
{
    lua_pushnumber(state, CheckActor(state)->GetSpriteTexture((int)luaL_checkinteger(state, 2)));
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
    lua_pushcfunction(state, HandGetSpriteTexture);
    lua_setfield(state, -2, "GetSpriteTexture");
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

// Each side's best of a few rounds, the two sides taking turns: whatever else the machine
// does only ever adds time, and it falls on both sides alike.
void MeasurePair(lua_State* state, const char* what, const char* body, double loop, const char* moduleName)
{
    double module = 1e30;
    double hand = 1e30;
    for (int round = 0; round < kRounds; ++round)
    {
        module = std::min(module, TimeLoop(state, "moduleActor", body) - loop);
        hand = std::min(hand, TimeLoop(state, "handActor", body) - loop);
    }
    std::printf("%-14s %-23s %8.1f ns   %-22s %8.1f ns   ratio %.2f\n", what, moduleName, module, "hand-written",
                hand, module / hand);
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
    std::printf("Lua loop overhead %.1f ns per iteration (subtracted); best of %d rounds\n", loop, kRounds);
    MeasurePair(state, "set position", "a:SetPosition(i, i)", loop, "module SetPosition");
    // Garbage from the copies is part of a get's cost, in both forms.
    MeasurePair(state, "get position", "a:GetPosition()", loop, "module GetPosition");
    MeasurePair(state, "int argument", "a:GetSpriteTexture(i)", loop, "module GetSpriteTexture");
    double byName = 1e30;
    double raw = 1e30;
    for (int round = 0; round < kRounds; ++round)
    {
        byName = std::min(byName, TimeEngineCalls(state, true));
        raw = std::min(raw, TimeEngineCalls(state, false));
    }
    std::printf("%-14s %-23s %8.1f ns   %-22s %8.1f ns   ratio %.2f\n", "engine -> Lua", "call by name", byName,
                "raw lua_pcall", raw, byName / raw);
    return 0;
}
