// The script console's input line, typed into and run as a player would, and the console
// drawn in the World's window after every key press and at the end, as each frame draws it:
// each byte is a typed character, except the control bytes below, which are key presses
// (Enter, Tab completion, Backspace, history up and down...). Each input gets a fresh script
// state over the real start-up script, with the libraries that reach outside the process
// removed (completion would soon type "os.exit" for the fuzzer) and its costs bounded. What
// the lines print, whatever their bytes, is drawn.
#include "FuzzSupport.h"

#include "engine/core/World.h"
#include "engine/platform/KeyCodes.h"
#include "engine/scripting/LuaConsole.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/util/StringUtil.h"

#include <lua.hpp>

#include <cstring>

namespace
{
const char* const kWithoutOutsideAccess = "zarvo = { LuaWrite = zarvo.LuaWrite }\n"
                                          "os, io, lfs, package, require, debug = nil\n"
                                          "dofile, loadfile, load, loadstring = nil\n";

// Byte 0xFF: the next four bytes are one whole code point, as the window library hands over.
const uint8_t kWideCharacter = 0xFF;

// Control bytes as keys, mostly the line editor's usual ones (^P up, ^N down, ^D delete).
int KeyFor(uint8_t byte)
{
    switch (byte)
    {
    case '\n':
    case '\r':
        return KEY_ENTER;
    case '\t':
        return KEY_TAB;
    case '\b':
    case 127:
        return KEY_BACKSPACE;
    case 4:
        return KEY_DELETE;
    case 16:
        return KEY_UP;
    case 14:
        return KEY_DOWN;
    case 2:
        return KEY_LEFT;
    case 6:
        return KEY_RIGHT;
    case 1:
        return KEY_HOME;
    case 5:
        return KEY_END;
    case 27:
        return KEY_ESCAPE;
    default:
        return KEY_UNKNOWN;
    }
}

lua_State* StartScripts()
{
    LuaScriptingModule::Close();
    LuaScriptingModule::Prepare();
    lua_State* state = LuaScriptingModule::GetLuaState();
    Require(luaL_dofile(state, "Resources/Scripts/start.lua") == LUA_OK, "start.lua failed");
    Require(luaL_dostring(state, kWithoutOutsideAccess) == LUA_OK, "the sandbox failed");
    lua_settop(state, 0);
    return state;
}

bool SetUp()
{
    EnterScratchDirectory();
    TrapRawControlBytesInLog();
    CopyFromSource("Resources/Scripts/start.lua");
    CopyFromSource("Resources/Fonts/Inconsolata.otf");
    OpenWorldWindow();
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = SetUp();
    (void)ready;
    lua_State* state = StartScripts();
    LuaConsole console;
    World::GetInstance()->RegisterConsole(&console);
    console.Enable(true);

    for (size_t i = 0; i < size; ++i)
    {
        // A budget per key: completion alone runs scripts on every character.
        LimitScriptCosts(state);
        const int key = KeyFor(data[i]);
        if (data[i] == kWideCharacter && size - i > 4)
        {
            uint32_t codepoint = 0;
            std::memcpy(&codepoint, data + i + 1, 4);
            console.GetInput(codepoint);
            i += 4;
        }
        else if (key != KEY_UNKNOWN)
        {
            console.GetSpecialInputDown(key);
        }
        else
        {
            console.GetInput(data[i]);
        }
        // The toggle key and Escape close it; the player opens it again.
        console.Enable(true);
        if (key != KEY_UNKNOWN)
        {
            console.Render();
        }
        Require(console.GetCursorPosition() <= console.GetCurrentInput().size(), "cursor past the line");
        Require(lua_gettop(state) == 0, "the script stack changed");
    }
    console.Render();
    FinishDrawing("drawing the console");
    Require(SplitString(console.GetOutputText(), "\n", false) == console.GetOutputLines(),
          "output lines differ from the output text");
    World::GetInstance()->RegisterConsole(0);
    return 0;
}
