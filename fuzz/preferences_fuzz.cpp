// The player's preferences file, loaded the way start-up loads it (Config/defaults.lua, then
// "user_prefs.lua"), then saved and loaded again: the saved file must give back every value.
#include "FuzzSupport.h"

#include "engine/config/Preferences.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/util/StringUtil.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
// The saved text with the categories, and the entries within each, sorted: the store's own
// order depends on the order in which the values were set.
String SortedSaveText()
{
    const StringList lines = Preferences::GetInstance()->SaveLines();
    std::vector<StringList> categories;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (lines[i][0] != '\t' && lines[i] != "}\n")
        {
            categories.push_back(StringList());
        }
        categories.back().push_back(lines[i]);
    }
    String text;
    for (size_t i = 0; i < categories.size(); ++i)
    {
        std::sort(categories[i].begin() + 1, categories[i].end() - 1);
    }
    std::sort(categories.begin(), categories.end());
    for (size_t i = 0; i < categories.size(); ++i)
    {
        text += JoinStrings(categories[i], "\n");
    }
    return text;
}

void LoadPreferences()
{
    Preferences::GetInstance()->Clear();
    LimitScriptCosts(LuaScriptingModule::GetLuaState());
    LuaScriptingModule::Prepare();
}

bool SetUp()
{
    EnterScratchDirectory();
    TrapRawControlBytesInLog();
    CopyFromSource("Resources/Scripts/pref_load.lua");
    CopyFromSource("Config/defaults.lua");
    LuaScriptingModule::Prepare();
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = SetUp();
    (void)ready;
    WriteInputFile(Preferences::GetInstance()->GetUserPrefsPath(), data, size);
    LoadPreferences();
    const String loaded = SortedSaveText();

    Preferences::GetInstance()->SavePreferences();
    LoadPreferences();
    const String reloaded = SortedSaveText();
    if (reloaded != loaded)
    {
        std::fprintf(stderr, "the saved preferences read back differently:\n%s\n-- became --\n%s\n", loaded.c_str(),
                     reloaded.c_str());
        std::abort();
    }
    // Garbage of this input collected, so its allocations balance; otherwise the fuzzer
    // looks for leaks after every input.
    lua_gc(LuaScriptingModule::GetLuaState(), LUA_GCCOLLECT, 0);
    return 0;
}
