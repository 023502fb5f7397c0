#include "scripting/ScriptTestSupport.h"

#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/log/ConsoleLog.h"
#include "engine/scripting/LuaConsole.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/rendering/FontRegistry.h"
#include "support/SystemLogCapture.h"

#include <GLFW/glfw3.h>
#include <lua.hpp>

namespace
{
    class LuaConsoleTest : public ScriptTest
    {
    protected:
        void SetUp() override
        {
            ScriptTest::SetUp();
            StartScripts();
            console = static_cast<LuaConsole*>(World::GetInstance()->GetConsole());
            console->Enable(true);
            depth = lua_gettop(State());
        }

        // Types a line and presses Enter; returns what it added to the output.
        String Enter(const String& line)
        {
            const size_t before = console->GetOutputText().size();
            for (char c : line)
                console->GetInput((unsigned char)c);
            console->GetSpecialInputDown(GLFW_KEY_ENTER);
            EXPECT_EQ(depth, lua_gettop(State())) << "after " << line;
            return console->GetOutputText().substr(before);
        }

        LuaConsole* console = nullptr;
        int depth = 0;
    };
}

TEST_F(LuaConsoleTest, RunsLinesAndPrintsResults)
{
    EXPECT_EQ("> =1+1\n2\n", Enter("=1+1"));
    EXPECT_EQ("> for i = 1, 3 do\n", Enter("for i = 1, 3 do"));
    EXPECT_EQ(">> ", console->GetPrompt());
    EXPECT_EQ(">>  print(i) end\n1\n2\n3\n", Enter(" print(i) end"));
    EXPECT_EQ("> ", console->GetPrompt());
    // Tabs expand to the console's 16-column stops.
    EXPECT_EQ("> print('a\\tb')\na" + String(15, ' ') + "b\n", Enter("print('a\\tb')"));
    // A run-time error reaches the output through print, without a prefix.
    EXPECT_NE(String::npos, Enter("error('boom')").find("boom"));
    EXPECT_EQ("> ", console->GetPrompt());
}

TEST_F(LuaConsoleTest, PendingChunksEndWithTheirComments)
{
    Enter("if true then -- a comment");
    EXPECT_TRUE(console->IsContinuing());
    EXPECT_EQ(">> end\n", Enter("end"));
    EXPECT_FALSE(console->IsContinuing());

    Enter("while true do");
    const String failure = Enter("x = = 1");
    EXPECT_EQ(0u, failure.find(">> x = = 1\nERROR: "));
    EXPECT_FALSE(console->IsContinuing());
    EXPECT_EQ("> =2\n2\n", Enter("=2"));
}

TEST_F(LuaConsoleTest, HistoryWalksBackAndForth)
{
    Enter("a = 1");
    Enter("b = 2");
    console->GetSpecialInputDown(GLFW_KEY_UP);
    console->GetSpecialInputDown(GLFW_KEY_UP);
    EXPECT_EQ("a = 1", console->GetCurrentInput());
    console->GetSpecialInputDown(GLFW_KEY_DOWN);
    EXPECT_EQ("b = 2", console->GetCurrentInput());
    console->GetSpecialInputDown(GLFW_KEY_DOWN);
    EXPECT_EQ("", console->GetCurrentInput());
}

TEST_F(LuaConsoleTest, CompletesFromTheGlobalsAndTheModule)
{
    for (char c : String("zarvo.Vector2_D"))
        console->GetInput((unsigned char)c);
    const StringList expected = {"zarvo.Vector2_Distance", "zarvo.Vector2_DistanceSquared", "zarvo.Vector2_Dot"};
    EXPECT_EQ(expected, console->GetCompletionCandidates());
    console->GetSpecialInputDown(GLFW_KEY_TAB);
    EXPECT_EQ("zarvo.Vector2_Distance", console->GetCurrentInput());
    console->GetSpecialInputDown(GLFW_KEY_TAB);
    EXPECT_EQ("zarvo.Vector2_DistanceSquared", console->GetCurrentInput());
    EXPECT_EQ(depth, lua_gettop(State()));
}

// Module variables, an object's own and its base's methods, and a module variable's members.
TEST_F(LuaConsoleTest, CompletesModuleVariablesAndTheMethodsOfModuleObjects)
{
    EXPECT_EQ(StringList({"zarvo.MathUtil_Pi", "zarvo.MathUtil_PiOver2", "zarvo.MathUtil_PiOver4",
                          "zarvo.MathUtil_PixelsToWorldUnits"}),
              console->GetCompletions("zarvo.MathUtil_P"));
    EXPECT_EQ("", Run("ship = zarvo.TextActor(); mark = zarvo.Vector2(1, 2)"));
    EXPECT_EQ(StringList({"ship:SetDisplayString", "ship:SetDrawShape"}), console->GetCompletions("ship:SetD"));
    EXPECT_EQ(StringList({"=mark.X"}), console->GetCompletions("=mark.X"));
    EXPECT_EQ(StringList({"zarvo.Vector2_Zero.Length", "zarvo.Vector2_Zero.LengthSquared"}),
              console->GetCompletions("zarvo.Vector2_Zero.Len"));
    EXPECT_EQ(depth, lua_gettop(State()));
}

// After a call (or an index) the value is unknown: nothing is offered, not the globals.
// Inside the call's arguments completion goes on as anywhere else.
TEST_F(LuaConsoleTest, OffersNothingAfterACall)
{
    for (const char* line : {"zarvo.World_GetInstance():", "zarvo.World_GetInstance():Get", "x = f() .pr",
                             "t[1].", "('text'):su"})
        EXPECT_TRUE(console->GetCompletions(line).empty()) << line;
    EXPECT_EQ(StringList({"print(zarvo.Vector2_Distance", "print(zarvo.Vector2_DistanceSquared",
                          "print(zarvo.Vector2_Dot"}),
              console->GetCompletions("print(zarvo.Vector2_D"));
    EXPECT_EQ(StringList({"f():Destroy(zarvo.MathUtil_PiOver2", "f():Destroy(zarvo.MathUtil_PiOver4"}),
              console->GetCompletions("f():Destroy(zarvo.MathUtil_PiOver"));
}

TEST_F(LuaConsoleTest, CompletesTheLastNameOfALongLine)
{
    // Thousands of characters before the name: the splitting must not backtrack over them
    // (it once took minutes per key).
    const String start = String(3000, 'a') + "((" + String(3000, 'b') + "=";
    const StringList expected = {start + "zarvo.Vector2_Distance", start + "zarvo.Vector2_DistanceSquared",
                                 start + "zarvo.Vector2_Dot"};
    EXPECT_EQ(expected, console->GetCompletions(start + "zarvo.Vector2_D"));
    EXPECT_EQ(StringList({start + "string:sub"}), console->GetCompletions(start + "string:su"));
    EXPECT_TRUE(console->GetCompletions(String(3000, 'c') + ".x").empty());
}

TEST_F(LuaConsoleTest, HostileCompletionTablesCantAbort)
{
    // Entries that are neither strings nor numbers are skipped; a raising metatable on the
    // result or on the globals is never run outside a protected call.
    Run(R"(function getAutoCompletions()
             return setmetatable({ "one", {}, 2, true }, { __len = function() error("len") end,
                                                           __index = function() error("index") end })
           end)");
    EXPECT_EQ(StringList({"one", "2"}), console->GetCompletions("any"));
    EXPECT_EQ("", Run("getAutoCompletions = nil; setmetatable(_G, { __index = function() error('strict') end })"));
    const size_t before = console->GetOutputText().size();
    EXPECT_TRUE(console->GetCompletions("any").empty());
    EXPECT_NE(String::npos, console->GetOutputText().find("ERROR: running autocompletions: ", before));
    EXPECT_FALSE(LuaScriptingModule::CallFunction("LoadLevel", StringList(1, "x")));
    EXPECT_EQ(depth, lua_gettop(State()));
}

// The collection after a failed line ran outside any protected call, so a finalizer that
// raised there ended the program. Then each road the engine has into the state is taken with
// finalizers that raise waiting for the next allocation's collection: each comes back as an
// error.
TEST_F(LuaConsoleTest, FinalizersThatRaiseAreScriptErrorsWhereverTheCollectorRuns)
{
    SystemLogCapture().Lines.clear();
    EXPECT_NE(String::npos, Enter("setmetatable({}, {__gc=function() error('boom') end}) error('y')").find(": y\n"));
    EXPECT_EQ(1, CountLines(SystemLogCapture(), "ERROR: error in __gc metamethod", "boom"));

    EXPECT_EQ("", Run("kept = zarvo.Actor(); kept:SetName('Kept'); zarvo.World_GetInstance():Add(kept, 1); "
                      "raising = { __gc = function() error('again') end }; "
                      "collectgarbage('setpause', 0); collectgarbage('setstepmul', 100000)"));
    // What the last road left over raises first, one at a time, with the collector stopped.
    const auto drain = [this]() {
        while (!Run("collectgarbage('stop')").empty() || !Run("collectgarbage()").empty())
            ;
    };
    const auto arm = [&]() {
        drain();
        EXPECT_EQ("", Run("(function() for i = 1, 4 do setmetatable({}, raising) end end)(); collectgarbage('restart')"));
    };
    arm();
    console->Execute("x = 1");
    arm();
    LuaScriptingModule::ExecuteInScript("y = 2");
    arm();
    EXPECT_FALSE(LuaScriptingModule::CallFunction("print", StringList(2, "z")));
    arm();
    EXPECT_TRUE(console->GetCompletions("zarvo.V").empty());
    arm();
    EXPECT_NE(0, LuaScriptingModule::Prepare());
    arm();
    Actor::GetNamed("Kept")->Destroy();
    World::GetInstance()->Tick(true);
    EXPECT_LE(2, CountLines(SystemLogCapture(), "ERROR: error in __gc metamethod", "again"));
    EXPECT_NE(String::npos, console->GetOutputText().find("ERROR: running autocompletions: error in __gc metamethod"));

    drain();
    EXPECT_EQ("", Run("collectgarbage('setpause', 200); collectgarbage('setstepmul', 200); collectgarbage('restart')"));
    EXPECT_EQ(depth, lua_gettop(State()));
    EXPECT_NE(String::npos, Run("kept:GetName()").find("the object no longer exists"));
    EXPECT_EQ("> =1+1\n2\n", Enter("=1+1"));
}

// Bytes that are not UTF-8, from every road a script has to the font: printed, echoed, shown
// by a text actor, offered as a completion, logged to the console while it was closed. Each
// is measured and drawn as "?" where it stands, and the console goes on.
TEST_F(LuaConsoleTest, TextThatIsNotUtf8IsMeasuredAndDrawnWithReplacements)
{
    Enter("print(string.char(255))");
    Enter("=string.rep('x', 40) .. string.char(252)");
    Enter("math.randomseed(28) local b = {} for i = 1, 4096 do b[i] = string.char(math.random(0, 255)) end "
          "print(table.concat(b))");
    Enter("t = zarvo.TextActor('Console', string.rep('x', 40) .. '\\252\\n\\224\\128\\244\\144\\128\\128') "
          "zarvo.World_GetInstance():Add(t)");
    Enter("tt = {} tt['\\255x'] = 1 tt['\\254\\240\\159'] = 2");
    ConsoleLog log;
    CompoundLog::GetSystemLog().AddLog(&log);
    console->Enable(false);
    EXPECT_EQ("", Run("zarvo.CompoundLog_GetSystemLog():Log('logged \\253 while closed \\237\\160\\128')"));
    console->Enable(true);
    for (char c : String("tt."))
        console->GetInput((unsigned char)c);
    EXPECT_EQ(2u, console->GetCompletionCandidates().size());
    World::GetInstance()->Render();
    console->Render();

    EXPECT_EQ(GetTextExtents(String(40, 'x') + "?", "ConsoleSmall"),
              GetTextExtents(String(40, 'x') + "\xfc", "ConsoleSmall"));
    EXPECT_EQ(GetTextExtents("logged ? while closed ???", "ConsoleSmall"),
              GetTextExtents(console->GetOutputLines().back(), "ConsoleSmall"));
    const TextActor mended("Console", String(40, 'x') + "?\n" + String(6, '?'));
    const Actor* shown = Actor::GetNamed(Eval("t:GetName()"));
    ASSERT_TRUE(shown != nullptr);
    EXPECT_EQ(mended.GetBoundingBox(), shown->GetBoundingBox());
    console->GetSpecialInputDown(GLFW_KEY_HOME);
    for (int i = 0; i < 3; ++i)
        console->GetSpecialInputDown(GLFW_KEY_DELETE);
    EXPECT_EQ("> =1+1\n2\n", Enter("=1+1"));
}

TEST_F(ScriptTest, ExecuteInScriptLeavesTheStackAsItFoundIt)
{
    StartScripts();
    const int depth = lua_gettop(State());
    LuaScriptingModule::ExecuteInScript("for i = 1, 2 do");
    LuaScriptingModule::ExecuteInScript("x = = 1");
    LuaScriptingModule::ExecuteInScript("error('run')");
    LuaScriptingModule::ExecuteInScript("return 1, 2");
    EXPECT_EQ(depth, lua_gettop(State()));
    const String output = World::GetInstance()->GetConsole()->GetOutputText();
    EXPECT_NE(String::npos, output.find("ERROR: [string \"x = = 1\"]"));
    EXPECT_NE(String::npos, output.find("1" + String(15, ' ') + "2\n"));
    EXPECT_EQ(String::npos, output.find("for i = 1, 2 do"));
}
