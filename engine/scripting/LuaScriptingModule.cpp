#include "engine/scripting/LuaScriptingModule.h"

#include "engine/config/ConfigUpdater.h"
#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/scripting/LuaConsole.h"
#include "engine/scripting/LuaStackGuard.h"
#include "engine/scripting/ModuleCallScope.h"

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

    // Opens the libraries and the module into a new state and sets ZARVO_MOBILE; runs
    // protected, so a failed allocation is an error status.
    int OpenState(lua_State* state, void*)
    {
        lua_gc(state, LUA_GCSTOP, 0);
        for (const luaL_Reg* library = kLibraries; library->func != 0; ++library)
        {
            luaL_requiref(state, library->name, library->func, 1);
            lua_pop(state, 1);
        }
        luaopen_zarvo(state);
        lua_gc(state, LUA_GCRESTART, 0);
        lua_settop(state, 0);
        lua_pushboolean(state, 0);
        lua_setglobal(state, "ZARVO_MOBILE");
        return 0;
    }

    // A script file to load and run; status is the load's, else the run's.
    struct ScriptFileRun
    {
        const char* path;
        int status;
    };

    // Leaves the error value of a failed load or run on top.
    int LoadAndRunFile(lua_State* state, void* context)
    {
        ScriptFileRun* run = static_cast<ScriptFileRun*>(context);
        run->status = luaL_loadfile(state, run->path);
        if (run->status == LUA_OK)
            run->status = LuaScriptingModule::ProtectedCall(state, 0, LUA_MULTRET);
        return run->status == LUA_OK ? 0 : 1;
    }

    // The load or run status of the script file (0 on success), its error value on top.
    int RunScriptFile(lua_State* state, const char* path)
    {
        ScriptFileRun run = {path, LUA_OK};
        const int status = LuaScriptingModule::CallProtected(state, LoadAndRunFile, &run, 0, LUA_MULTRET);
        return status != LUA_OK ? status : run.status;
    }

    // Stack: arguments... Looks the global up and calls it, so a raising __index on the
    // globals is caught like any script error.
    int CallNamedGlobal(lua_State* state, void* name)
    {
        lua_getglobal(state, static_cast<const char*>(name));
        lua_insert(state, 1);
        lua_call(state, lua_gettop(state) - 1, LUA_MULTRET);
        return lua_gettop(state);
    }

    struct TextsCall
    {
        const char* name;
        const StringList* texts;
    };

    int PushTextsAndCall(lua_State* state, void* context)
    {
        const TextsCall* call = static_cast<const TextsCall*>(context);
        luaL_checkstack(state, (int)call->texts->size(), "too many arguments");
        for (size_t i = 0; i < call->texts->size(); ++i)
            lua_pushlstring(state, (*call->texts)[i].data(), (*call->texts)[i].size());
        return CallNamedGlobal(state, const_cast<char*>(call->name));
    }

    struct ProtectedBody
    {
        LuaScriptingModule::ProtectedWork work;
        void* context;
    };

    // Stack: the body (a light userdata), arguments...
    int RunProtectedBody(lua_State* state)
    {
        const ProtectedBody* body = static_cast<const ProtectedBody*>(lua_touserdata(state, 1));
        lua_remove(state, 1);
        return body->work(state, body->context);
    }

    int FullCollection(lua_State* state, void*)
    {
        lua_gc(state, LUA_GCCOLLECT, 0);
        return 0;
    }

    void LogError(const String& text) { CompoundLog::GetSystemLog().Printf("ERROR: %s\n", text.c_str()); }

    void LogScriptError(lua_State* state)
    {
        LogError(LuaScriptingModule::ValueText(state));
        LuaScriptingModule::CollectGarbage(state);
    }
}

lua_State* LuaScriptingModule::s_state = 0;
bool LuaScriptingModule::s_started = false;

int LuaScriptingModule::Prepare()
{
    if (s_state == 0)
    {
        s_state = luaL_newstate();
        if (s_state == 0)
        {
            CompoundLog::GetSystemLog().Printf("ERROR: There is no memory for the script state.\n");
            return LUA_ERRMEM;
        }
        if (CallProtected(s_state, OpenState, 0, 0, 0) != LUA_OK)
            LogError(ValueText(s_state));
        lua_settop(s_state, 0);
    }

    LuaStackGuard guard(s_state);
    return RunScriptFile(s_state, kPreferenceScript);
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
        s_started = RunScriptFile(s_state, kStartScript) == LUA_OK;
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
    // What the collector left waiting for a module call that an error cut short is deleted
    // now; closing runs the remaining finalizers outside any call.
    ModuleCallScope::RestoreDepth(0);
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
    if (ProtectedCall(state, 0, LUA_MULTRET) != LUA_OK)
    {
        if (logFailure)
            LogError(ValueText(state));
        CollectGarbage(state);
    }
    const int results = lua_gettop(state) - base;
    if (results > 0)
        CallGlobal(state, "print", results, 0);
    lua_settop(state, base);
}

int LuaScriptingModule::CallGlobal(lua_State* state, const char* name, int argumentCount, int resultCount)
{
    return CallProtected(state, CallNamedGlobal, const_cast<char*>(name), argumentCount, resultCount);
}

int LuaScriptingModule::CallGlobal(lua_State* state, const char* name, const StringList& texts, int resultCount)
{
    TextsCall call = {name, &texts};
    return CallProtected(state, PushTextsAndCall, &call, 0, resultCount);
}

int LuaScriptingModule::CallProtected(lua_State* state, ProtectedWork work, void* context, int argumentCount,
                                      int resultCount)
{
    // Pushing a C function with no upvalues and a light userdata allocates nothing, so
    // nothing can run before the protected call starts.
    ProtectedBody body = {work, context};
    lua_pushcfunction(state, RunProtectedBody);
    lua_insert(state, -argumentCount - 1);
    lua_pushlightuserdata(state, &body);
    lua_insert(state, -argumentCount - 1);
    return ProtectedCall(state, argumentCount + 1, resultCount);
}

int LuaScriptingModule::ProtectedCall(lua_State* state, int argumentCount, int resultCount)
{
    const int depth = ModuleCallScope::SaveDepth();
    const int status = lua_pcall(state, argumentCount, resultCount, 0);
    ModuleCallScope::RestoreDepth(depth);
    return status;
}

void LuaScriptingModule::CollectGarbage(lua_State* state)
{
    LuaStackGuard guard(state);
    if (CallProtected(state, FullCollection, 0, 0, 0) != LUA_OK)
        LogError(ValueText(state));
}

bool LuaScriptingModule::CallFunction(const String& name, const StringList& arguments)
{
    if (s_state == 0)
        return false;
    LuaStackGuard guard(s_state);
    if (CallGlobal(s_state, name.c_str(), arguments, 0) != LUA_OK)
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
    if (type == LUA_TNUMBER)
    {
        char text[64];
        std::snprintf(text, sizeof text, LUA_NUMBER_FMT, (LUAI_UACNUMBER)lua_tonumber(state, index));
        return text;
    }
    if (type != LUA_TSTRING)
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
