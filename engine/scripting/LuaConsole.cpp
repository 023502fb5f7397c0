#include "engine/scripting/LuaConsole.h"

#include "engine/scripting/LuaScriptingModule.h"
#include "engine/scripting/LuaStackGuard.h"

#include <lua.hpp>

LuaConsole::LuaConsole() : _primaryPrompt("> "), _continuationPrompt(">> "), _firstLine(true)
{
    SetTabWidth(16);
    SetPrompt(_primaryPrompt);
    WriteToOutput(String(LUA_COPYRIGHT) + "\n\n" +
                  "This console is almost the same as the interactive Lua interpreter. Just make sure not\n" +
                  "to run any code that blocks on console input, or the whole engine will hang.\n\n");
}

LuaConsole::~LuaConsole() {}

void LuaConsole::Execute(const String& input)
{
    WriteToOutput((_firstLine ? _primaryPrompt : _continuationPrompt) + input + "\n");

    String line = input;
    if (_firstLine && !line.empty() && line[0] == '=')
        line = "return tostring(" + line.substr(1) + ")";
    _chunk += line + "\n";
    _firstLine = false;

    lua_State* state = LuaScriptingModule::GetLuaState();
    if (state == 0)
    {
        WriteToOutput("ERROR: There is no script state.\n");
        EndChunk();
        return;
    }

    LuaStackGuard guard(state);
    if (luaL_loadbuffer(state, _chunk.data(), _chunk.size(), _chunk.c_str()) != LUA_OK)
    {
        const String error = LuaScriptingModule::ValueText(state);
        if (LuaScriptingModule::IsUnfinishedChunkError(error))
        {
            SetPrompt(_continuationPrompt);
            return;
        }
        EndChunk();
        WriteToOutput("ERROR: " + error + "\n");
        return;
    }
    LuaScriptingModule::CallChunkAndPrint(state, false);
    EndChunk();
}

void LuaConsole::EndChunk()
{
    _chunk.clear();
    _firstLine = true;
    SetPrompt(_primaryPrompt);
}

StringList LuaConsole::GetCompletions(const String& input)
{
    StringList completions;
    lua_State* state = LuaScriptingModule::GetLuaState();
    if (state == 0)
        return completions;

    LuaStackGuard guard(state);
    if (LuaScriptingModule::CallGlobal(state, "getAutoCompletions", StringList(1, input), 1) != LUA_OK)
    {
        WriteToOutput("ERROR: running autocompletions: " + LuaScriptingModule::ValueText(state) + "\n");
        return completions;
    }
    if (!lua_istable(state, -1))
        return completions;

    // Raw reads: a metatable on the result can't raise outside a protected call.
    const size_t count = lua_rawlen(state, -1);
    for (size_t i = 1; i <= count; ++i)
    {
        lua_rawgeti(state, -1, (int)i);
        const int type = lua_type(state, -1);
        if (type == LUA_TSTRING || type == LUA_TNUMBER)
            completions.push_back(LuaScriptingModule::ValueText(state));
        lua_pop(state, 1);
    }
    return completions;
}
