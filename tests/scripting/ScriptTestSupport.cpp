#include "scripting/ScriptTestSupport.h"

#include "engine/config/Preferences.h"
#include "engine/config/Tuning.h"
#include "engine/core/World.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/util/FileUtil.h"

#include <lua.hpp>

#include <fstream>
#include <unistd.h>

namespace
{
    void CopyFile(const String& from, const String& to)
    {
        std::ofstream(to.c_str(), std::ios::binary) << ReadWholeFile(from);
    }
}

void ScriptTest::SetUp()
{
    MakeDirectories("Resources/Scripts");
    ASSERT_EQ(0, symlink(ZARVO_SOURCE_DIR "/Resources/Fonts", "Resources/Fonts"));
    ASSERT_EQ(0, symlink(ZARVO_SOURCE_DIR "/Resources/Images", "Resources/Images"));
    CopyFile(ZARVO_SOURCE_DIR "/Resources/Scripts/pref_load.lua", "Resources/Scripts/pref_load.lua");
    CopyFile(ZARVO_SOURCE_DIR "/Resources/Scripts/start.lua", "Resources/Scripts/start.lua");
    MakeDirectories("Config");
    CopyFile(ZARVO_SOURCE_DIR "/Config/defaults.lua", "Config/defaults.lua");
    CopyFile(ZARVO_SOURCE_DIR "/Config/tuning.lua", "Config/tuning.lua");

    // One window for the whole program, so scripts may draw; its own start-up scripts are
    // closed again just below.
    World::GetInstance()->Initialize();
    LuaScriptingModule::Close();
    Preferences::GetInstance()->Clear();
    Tuning::GetInstance()->Clear();
    World::GetInstance()->RegisterConsole(0);
}

void ScriptTest::TearDown()
{
    LuaScriptingModule::Close();
    World::GetInstance()->RegisterConsole(0);
}

void ScriptTest::StartScripts()
{
    LuaScriptingModule::Prepare();
    LuaScriptingModule::Initialize();
    ASSERT_TRUE(LuaScriptingModule::IsStarted());
}

void ScriptTest::AppendToFile(const String& path, const String& text)
{
    std::ofstream(path.c_str(), std::ios::binary | std::ios::app) << text;
}

lua_State* ScriptTest::State() { return LuaScriptingModule::GetLuaState(); }

String ScriptTest::Run(const String& code)
{
    lua_State* state = State();
    const int top = lua_gettop(state);
    String error;
    if (luaL_dostring(state, code.c_str()) != LUA_OK)
        error = LuaScriptingModule::ValueText(state);
    lua_settop(state, top);
    return error;
}

String ScriptTest::Eval(const String& expression)
{
    lua_State* state = State();
    const int top = lua_gettop(state);
    String result = "<error>";
    if (luaL_dostring(state, ("return tostring(" + expression + ")").c_str()) == LUA_OK)
        result = LuaScriptingModule::ValueText(state);
    else
        result += LuaScriptingModule::ValueText(state);
    lua_settop(state, top);
    return result;
}

void ScriptTest::WriteFile(const String& path, const String& text)
{
    std::ofstream(path.c_str(), std::ios::binary) << text;
}
