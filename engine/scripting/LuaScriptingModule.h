#pragma once

#include "engine/util/StringTypes.h"

struct lua_State;

// The one Lua state of the process, with the standard libraries, LuaFileSystem (as "lfs")
// and the engine's module "zarvo", and the calls the engine makes into scripts by name.
// Static operations only. Prepare creates the state once; every operation that touches it
// leaves its value stack as it found it, and none of them aborts on a script error.
class LuaScriptingModule
{
public:
    // Creates the state and runs "./Resources/Scripts/pref_load.lua"; returns the load or
    // run status (0 on success). Called by the World before the window settings are read.
    static int Prepare();
    // Makes a LuaConsole, owned here, the World's console (deleting the one made before),
    // runs "./Resources/Scripts/start.lua", logs the outcome and creates the ConfigUpdater,
    // whether or not the script ran.
    static void Initialize();
    // Closes the state when the start-up script succeeded. Called last at shutdown, after
    // everything that may still hold script-made objects.
    static void Finalize();
    // Closes the state whatever the start-up did, so a test can begin afresh; deletes the
    // script console, unregistering it from the World if it is still registered there.
    static void Close();

    // Runs code when the start-up script succeeded; its results go to the script "print".
    // An unfinished text (a loop header without its end) writes nothing.
    static void ExecuteInScript(const String& code);

    // Calls the script global name with the given string arguments in a protected call,
    // discarding results. A failure (the global missing too) logs "ERROR: <text>" and runs
    // a full garbage collection. False on failure or when there is no state.
    static bool CallFunction(const String& name, const StringList& arguments = StringList());

    // Calls the compiled chunk on top of the stack with no arguments, then hands whatever
    // it left (its results, or the error value of a failed call after a full garbage
    // collection) to the script "print". logFailure also logs a failure as "ERROR: ".
    // Pops the chunk and everything it left.
    static void CallChunkAndPrint(lua_State* state, bool logFailure);
    // Calls the global name, looked up inside the protected call, with the argumentCount
    // values on top of the stack; returns the lua_pcall status and leaves resultCount
    // results, or the error value, in place of the arguments.
    static int CallGlobal(lua_State* state, const char* name, int argumentCount, int resultCount);
    // The same with the texts as its arguments, pushed inside the protected call.
    static int CallGlobal(lua_State* state, const char* name, const StringList& texts, int resultCount);

    // The work of a protected call: runs with the call's arguments on the stack and returns
    // how many values it leaves on top as results, as a C function does.
    typedef int (*ProtectedWork)(lua_State* state, void* context);
    // Runs work in a protected call with the argumentCount values on top of the stack as its
    // arguments. Nothing work does to the state can end the program: an error (a finalizer
    // that raises at an allocation, an allocation that fails) becomes the returned status,
    // with the error value in place of the arguments; else resultCount results are left.
    // Every call the engine makes into the state goes through here or ProtectedCall.
    static int CallProtected(lua_State* state, ProtectedWork work, void* context, int argumentCount, int resultCount);
    // lua_pcall, then forgets the module calls that an error cut short (ModuleCallScope).
    static int ProtectedCall(lua_State* state, int argumentCount, int resultCount);
    // A full garbage collection in a protected call; a finalizer's error is logged as
    // "ERROR: <text>". Leaves the stack as it was.
    static void CollectGarbage(lua_State* state);

    // Whether a compile error text says the chunk was cut short (it ends with "<eof>"), so
    // more lines may finish it.
    static bool IsUnfinishedChunkError(const String& errorText);

    // The state, null before Prepare and after Close.
    static lua_State* GetLuaState();
    static bool IsStarted();
    // Debugging aid: prints the value stack to standard output.
    static void DumpStack();

    // The text of the value at index (an error value, a completion): "" unless it is a
    // string or a number. Reads the value only: a number is not converted in the state,
    // which would allocate and could run a finalizer.
    static String ValueText(lua_State* state, int index = -1);

private:
    static lua_State* s_state;
    static bool s_started;
};
