#include "engine/scripting/LuaScriptingModule.h"

#include "engine/config/ConfigUpdater.h"
#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/scripting/LuaConsole.h"
#include "engine/scripting/LuaStackGuard.h"

#include <lfs.h>
#include <lua.hpp>

#include <cstdio>

extern "C" int luaopen_zarvo(lua_State* state);

namespace
{
    const char* const kPreferenceScript = "./Resources/Scripts/pref_load.lua";
    const char* const kStartScript = "./Resources/Scripts/start.lua";

    ConfigUpdater* s_configUpdater = 0;
    // The script console is owned here; the World only holds it while registered.
    LuaConsole* s_console = 0;

    // The libraries every script may use, opened as luaL_openlibs does, plus lfs.
    const luaL_Reg kLibraries[] = {{"_G", luaopen_base},
                                   {LUA_LOADLIBNAME, luaopen_package},
                                   {LUA_COLIBNAME, luaopen_coroutine},
                                   {LUA_TABLIBNAME, luaopen_table},
                                   {LUA_IOLIBNAME, luaopen_io},
                                   {LUA_OSLIBNAME, luaopen_os},
                                   {LUA_STRLIBNAME, luaopen_string},
                                   {LUA_BITLIBNAME, luaopen_bit32},
                                   {LUA_MATHLIBNAME, luaopen_math},
                                   {LUA_DBLIBNAME, luaopen_debug},
                                   {"lfs", luaopen_lfs},
                                   {0, 0}};

    void OpenLibraries(lua_State* state)
    {
        for (const luaL_Reg* library = kLibraries; library->func != 0; ++library)
        {
            luaL_requiref(state, library->name, library->func, 1);
            lua_pop(state, 1);
        }
    }

    // Stack: name, arguments... Looks the global up and calls it inside the caller's
    // protected call, so a raising __index on the globals is caught like any script error.
    int CallNamedGlobal(lua_State* state)
    {
        lua_getglobal(state, lua_tostring(state, 1));
        lua_replace(state, 1);
        lua_call(state, lua_gettop(state) - 1, LUA_MULTRET);
        return lua_gettop(state);
    }

    void LogScriptError(lua_State* state)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: %s\n", LuaScriptingModule::ValueText(state).c_str());
        lua_gc(state, LUA_GCCOLLECT, 0);
    }
}

lua_State* LuaScriptingModule::s_state = 0;
bool LuaScriptingModule::s_started = false;

int LuaScriptingModule::Prepare()
{
    if (s_state == 0)
    {
        s_state = luaL_newstate();
        lua_gc(s_state, LUA_GCSTOP, 0);
        OpenLibraries(s_state);
        luaopen_zarvo(s_state);
        lua_gc(s_state, LUA_GCRESTART, 0);
        lua_settop(s_state, 0);
        lua_pushboolean(s_state, 0);
        lua_setglobal(s_state, "ZARVO_MOBILE");
    }

    LuaStackGuard guard(s_state);
    int status = luaL_loadfile(s_state, kPreferenceScript);
    if (status == LUA_OK)
        status = lua_pcall(s_state, 0, LUA_MULTRET, 0);
    return status;
}

void LuaScriptingModule::Initialize()
{
    LuaConsole* previous = s_console;
    s_console = new LuaConsole();
    World::GetInstance()->RegisterConsole(s_console);
    delete previous;

    if (s_state != 0)
    {
        LuaStackGuard guard(s_state);
        int status = luaL_loadfile(s_state, kStartScript);
        if (status == LUA_OK)
            status = lua_pcall(s_state, 0, LUA_MULTRET, 0);
        s_started = (status == LUA_OK);
        // The failure text is the script's own: logged as it is, never as a format.
        CompoundLog::GetSystemLog().Log(s_started ? String("Lua initialized!") : ValueText(s_state));
    }

    delete s_configUpdater;
    s_configUpdater = new ConfigUpdater();
}

void LuaScriptingModule::Finalize()
{
    if (s_started)
        Close();
}

void LuaScriptingModule::Close()
{
    delete s_configUpdater;
    s_configUpdater = 0;
    if (s_console != 0 && World::HasInstance() && World::GetInstance()->GetConsole() == s_console)
        World::GetInstance()->RegisterConsole(0);
    delete s_console;
    s_console = 0;
    if (s_state != 0)
        lua_close(s_state);
    s_state = 0;
    s_started = false;
}

void LuaScriptingModule::ExecuteInScript(const String& code)
{
    if (!s_started)
        return;
    LuaStackGuard guard(s_state);
    if (luaL_loadbuffer(s_state, code.data(), code.size(), code.c_str()) != LUA_OK)
    {
        const String error = ValueText(s_state);
        Console* console = World::GetInstance()->GetConsole();
        if (!IsUnfinishedChunkError(error) && console != 0)
            console->WriteToOutput("ERROR: " + error + "\n");
        return;
    }
    CallChunkAndPrint(s_state, true);
}

void LuaScriptingModule::CallChunkAndPrint(lua_State* state, bool logFailure)
{
    const int base = lua_gettop(state) - 1;
    if (lua_pcall(state, 0, LUA_MULTRET, 0) != LUA_OK)
    {
        if (logFailure)
            CompoundLog::GetSystemLog().Printf("ERROR: %s\n", ValueText(state).c_str());
        lua_gc(state, LUA_GCCOLLECT, 0);
    }
    const int results = lua_gettop(state) - base;
    if (results > 0)
        CallGlobal(state, "print", results, 0);
    lua_settop(state, base);
}

int LuaScriptingModule::CallGlobal(lua_State* state, const char* name, int argumentCount, int resultCount)
{
    // Looking a name up in a plain globals table can't fail, so the function is fetched
    // directly; a globals table with a metatable may run script code, so then the lookup runs
    // protected with the call.
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    if (!lua_getmetatable(state, -1))
    {
        lua_pushstring(state, name);
        lua_rawget(state, -2);
        lua_remove(state, -2);
        lua_insert(state, -argumentCount - 1);
        return lua_pcall(state, argumentCount, resultCount, 0);
    }
    lua_pop(state, 2);
    lua_pushcfunction(state, CallNamedGlobal);
    lua_insert(state, -argumentCount - 1);
    lua_pushstring(state, name);
    lua_insert(state, -argumentCount - 1);
    return lua_pcall(state, argumentCount + 1, resultCount, 0);
}

bool LuaScriptingModule::CallFunction(const String& name, const StringList& arguments)
{
    if (s_state == 0)
        return false;
    LuaStackGuard guard(s_state);
    for (size_t i = 0; i < arguments.size(); ++i)
        lua_pushlstring(s_state, arguments[i].data(), arguments[i].size());
    if (CallGlobal(s_state, name.c_str(), (int)arguments.size(), 0) != LUA_OK)
    {
        LogScriptError(s_state);
        return false;
    }
    return true;
}

bool LuaScriptingModule::IsUnfinishedChunkError(const String& errorText)
{
    const String eof = "<eof>";
    return errorText.size() >= eof.size() && errorText.compare(errorText.size() - eof.size(), eof.size(), eof) == 0;
}

lua_State* LuaScriptingModule::GetLuaState() { return s_state; }

bool LuaScriptingModule::IsStarted() { return s_started; }

String LuaScriptingModule::ValueText(lua_State* state, int index)
{
    const int type = lua_type(state, index);
    if (type != LUA_TSTRING && type != LUA_TNUMBER)
        return "";
    size_t length = 0;
    const char* text = lua_tolstring(state, index, &length);
    return String(text, length);
}

void LuaScriptingModule::DumpStack()
{
    if (s_state == 0)
        return;
    const int top = lua_gettop(s_state);
    CompoundLog::GetSystemLog().Printf("Total in stack: %d\n", top);
    for (int i = 1; i <= top; ++i)
    {
        const int type = lua_type(s_state, i);
        if (type == LUA_TBOOLEAN)
            std::printf("boolean %s\n", lua_toboolean(s_state, i) ? "true" : "false");
        else if (type == LUA_TNUMBER)
            std::printf("number: %g\n", (double)lua_tonumber(s_state, i));
        else if (type == LUA_TSTRING)
            std::printf("string: '%s'\n", lua_tostring(s_state, i));
        else
            std::printf("%s\n", lua_typename(s_state, type));
        std::printf("  ");
    }
    std::printf("\n");
}
