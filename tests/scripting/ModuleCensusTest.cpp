#include "scripting/ScriptTestSupport.h"

#include "engine/config/Tuning.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/math/Vector2.h"
#include "engine/messaging/Switchboard.h"
#include "engine/scripting/LuaScriptingModule.h"

#include "support/SystemLogCapture.h"

#include <box2d/b2_world.h>
#include <lua.hpp>

#include <GL/gl.h>

namespace
{
    // Sorts the module's entries the way scripts meet them: classes are tables, functions
    // functions, constants numbers, and variables live behind the module's ".get" table.
    const char* const kCensus = R"(
      local classes, functions, constants = 0, 0, 0
      for name, value in pairs(zarvo) do
        if type(value) == "table" then classes = classes + 1
        elseif type(value) == "function" then functions = functions + 1
        elseif type(value) == "number" then constants = constants + 1 end
      end
      local variables = 0
      for name in pairs(getmetatable(zarvo)[".get"]) do variables = variables + 1 end
      return classes .. " " .. functions .. " " .. variables .. " " .. constants
    )";
}

TEST_F(ScriptTest, ModuleExposesItsCensusConstantsAndVariables)
{
    StartScripts();
    EXPECT_EQ("48 63 19 17", Eval("(function() " + String(kCensus) + " end)()"));

    EXPECT_EQ("0 1 2", Eval("zarvo.MOUSE_LEFT .. ' ' .. zarvo.MOUSE_MIDDLE .. ' ' .. zarvo.MOUSE_RIGHT"));
    EXPECT_EQ("0 1 2", Eval("zarvo.TOUCH_START .. ' ' .. zarvo.TOUCH_END .. ' ' .. zarvo.TOUCH_MOVE"));
    EXPECT_EQ("0 1 2 3", Eval("zarvo.SAT_None .. ' ' .. zarvo.SAT_Loop .. ' ' .. zarvo.SAT_PingPong .. ' ' .. "
                              "zarvo.SAT_OneShot"));
    EXPECT_EQ("0 1 0 1", Eval("zarvo.ADS_Square .. ' ' .. zarvo.ADS_Circle .. ' ' .. "
                              "zarvo.PhysicsActor_SHAPETYPE_BOX .. ' ' .. zarvo.PhysicsActor_SHAPETYPE_CIRCLE"));
    EXPECT_EQ("0 1 2", Eval("zarvo.TXT_Left .. ' ' .. zarvo.TXT_Center .. ' ' .. zarvo.TXT_Right"));

    EXPECT_NE(String::npos, Run("zarvo.MathUtil_Pi = 1").find("This variable is immutable"));
    EXPECT_EQ("3.14159", Eval("string.format('%.5f', zarvo.MathUtil_Pi)"));

    // Reading the vector constants hands out a copy: changing it leaves the engine's alone.
    EXPECT_EQ("", Run("local zero = zarvo.Vector2_Zero; zero.X = 5"));
    EXPECT_EQ(0.0f, Vector2::Zero.X);
    EXPECT_EQ("", Run("zarvo.Vector2_Zero = zarvo.Vector2(1, 2)"));
    EXPECT_EQ(Vector2(1.0f, 2.0f).Y, Vector2::Zero.Y);
    Vector2::Zero = Vector2(0.0f, 0.0f);
}

namespace
{
    // A class's methods and properties (".name"), sorted; with census set, the class as
    // "name(bases):member count".
    const char* const kMembers = R"lua((function(name, census)
      local metatable, found, bases = debug.getregistry().SWIG[name], {}, {}
      for member in pairs(metatable[".fn"]) do
        if member:sub(1, 2) ~= "__" then found[#found + 1] = member end
      end
      for member in pairs(metatable[".get"]) do found[#found + 1] = "." .. member end
      for _, base in ipairs(metatable[".bases"]) do bases[#bases + 1] = base[".type"] end
      table.sort(found)
      if not census then return table.concat(found, " ") end
      return name .. (#bases > 0 and "(" .. table.concat(bases, " ") .. ")" or "") .. ":" .. #found
    end))lua";
}

// Scripts get each class's documented operations only: no engine internals, no test hooks.
// The classes in the order the generated glue registers them.
TEST_F(ScriptTest, EachClassExposesItsDocumentedOperationsInOrderWithItsBases)
{
    StartScripts();
    EXPECT_EQ("string:6 Vec2i:2 Vec2ui:2 Vec3i:3 Vec3ui:3 Vector2:5 Vector3:6 Color:5 Message:2 "
              "FloatMessage(Message):1 IntMessage(Message):1 StringMessage(Message):1 Vector2Message(Message):1 "
              "Vector3Message(Message):1 Vec2iMessage(Message):1 Vec2uiMessage(Message):1 Vec3iMessage(Message):1 "
              "Vec3uiMessage(Message):1 MessageListener:1 Switchboard:8 Renderable:6 MathUtil:0 World:23 "
              "DeveloperLog:2 ConsoleLog(DeveloperLog):1 FileLog(DeveloperLog):1 SystemLog(DeveloperLog):1 "
              "CompoundLog(DeveloperLog):2 Tuning:12 Preferences:9 SoundDevice:12 ControllerInput:7 "
              "ControllerManager:3 Controller:30 MouseListener:4 Touch:4 GestureData:2 TouchListener:3 "
              "Accelerometer:1 Actor(Renderable MessageListener):43 TagCollection:2 Camera(Actor):24 "
              "PhysicsActor(Actor):24 ParticleActor(Actor):16 TextActor(Actor):14 GridActor(Renderable):12 "
              "FullScreenActor(Actor):4 HUDActor(Actor):2",
              Eval("(function() local classes, members = {}, " + String(kMembers) + " "
                   "local glue = io.open('" ZARVO_BINARY_DIR "/engine/swig/zarvoLUA_wrap.cxx'):read('*a') "
                   "for name in glue:match('swig_SwigModule_classes%[%]= {(.-)}'):gmatch('&_wrap_class_([%w_]+),') "
                   "do classes[#classes + 1] = members(name, true) end return table.concat(classes, ' ') end)()"));
    // The World's life cycle (Destroy, Tick) and the engine's own reads of the preferences stay out of reach.
    EXPECT_EQ("Add AdjustWindow DrawDebugLine GetConsole GetCurrentTimeSeconds GetLayerByName GetVideoModes "
              "IsPhysicsSetUp IsSimulationOn MoveWindow NameLayer PausePhysics PauseSimulation PurgeDebugDrawing "
              "RegisterConsole Remove ResetWorld ResumePhysics ResumeSimulation SetBackgroundColor SetupPhysics "
              "StopGame UpdateLayer",
              Eval(String(kMembers) + "('World')"));
    EXPECT_EQ("GetDefaultPath GetFloat GetInt GetString GetUserPrefsPath SavePreferences SetFloat SetInt SetString",
              Eval(String(kMembers) + "('Preferences')"));
}

TEST_F(ScriptTest, BadCallsRaiseTheGeneratorsErrorTexts)
{
    StartScripts();
    EXPECT_NE(String::npos, Run("zarvo.MathUtil_ToDegrees()").find("Error in MathUtil::ToDegrees expected 1..1 args, got 0"));
    EXPECT_NE(String::npos, Run("zarvo.MathUtil_ToDegrees('x')")
                                .find("Error in MathUtil::ToDegrees (arg 1), expected 'float' got 'string'"));
    EXPECT_NE(String::npos, Run("zarvo.Vector2({})").find("Wrong arguments for overloaded function 'new_Vector2'\n    Vector2::Vector2()\n"
                                                           "    Vector2::Vector2(float,float)\n    Vector2::Vector2(float)\n"
                                                           "    Vector2::Vector2(Vec2i const &)\n"));
    EXPECT_NE(String::npos, Run("zarvo.World()").find("attempt to call"));

    // A number passed for a string arrives as its text.
    EXPECT_EQ("", Run("zarvo.Tuning_GetInstance():SetString('n', 12)"));
    EXPECT_EQ("12", Eval("zarvo.Tuning_GetInstance():GetString('n')"));
    // Script text is never a format.
    SystemLogCapture().Lines.clear();
    EXPECT_EQ("", Run("zarvo.CompoundLog_GetSystemLog():Printf('%s%n%d')"));
    ASSERT_FALSE(SystemLogCapture().Lines.empty());
    EXPECT_EQ("%s%n%d", SystemLogCapture().Lines.back());
}

TEST_F(ScriptTest, CollectionsComeBackAsTablesFromOne)
{
    StartScripts();
    EXPECT_EQ("", Run("a = zarvo.Actor(); a:Tag('ship, enemy'); zarvo.World_GetInstance():Add(a, 3)"));
    EXPECT_EQ("2 enemy ship", Eval("#a:GetTags() .. ' ' .. a:GetTags()[1] .. ' ' .. a:GetTags()[2]"));
    EXPECT_EQ("true", Eval("zarvo.TagCollection_GetInstance():GetObjectsTagged('enemy')[1]:GetName() == a:GetName()"));
    EXPECT_EQ("0", Eval("#zarvo.TouchListener_GetTouchList()"));
    Tuning::GetInstance()->Clear();
    EXPECT_EQ("", Run("zarvo.Tuning_GetInstance():SetInt('x', 1)"));
    EXPECT_EQ("x", Eval("zarvo.Tuning_GetInstance():GetVariables()[1]"));
    EXPECT_EQ("", Run("a:Destroy()"));
}

TEST_F(ScriptTest, ObjectsHandedToTheEngineOutliveTheCollector)
{
    StartScripts();
    CapturingLog& capture = SystemLogCapture();
    EXPECT_EQ("", Run(R"(
      local world = zarvo.World_GetInstance()
      local actor = zarvo.Actor()
      actor:SetName("Kept")
      world:Add(actor, 1)
      zarvo.Switchboard_GetInstance():Broadcast(zarvo.Message("ScriptSent"))
      zarvo.CompoundLog_GetSystemLog():AddLog(zarvo.FileLog(zarvo.FileLog_MakeLogFileName("kept")))
      collectgarbage()
      collectgarbage()
    )"));
    World::GetInstance()->Tick(true);
    World::GetInstance()->Render();
    capture.Lines.clear();
    CompoundLog::GetSystemLog().Log("after the collector");
    EXPECT_EQ(1u, capture.Lines.size());
    EXPECT_EQ("Kept", Eval("zarvo.Actor_GetNamed('Kept'):GetName()"));
    EXPECT_EQ("", Run("zarvo.Actor_GetNamed('Kept'):Destroy()"));
    World::GetInstance()->Tick(true);
}

TEST(LogMembership, ALogThatDiesLeavesTheSystemLog)
{
    CapturingLog& capture = SystemLogCapture();
    CapturingLog* log = new CapturingLog();
    CompoundLog::GetSystemLog().AddLog(log);
    CompoundLog::GetSystemLog().Log("while alive");
    EXPECT_EQ(1u, log->Lines.size());
    delete log;
    // Would write through a dangling pointer if the log were still a member.
    CompoundLog::GetSystemLog().Log("after its death");
    ASSERT_FALSE(capture.Lines.empty());
    EXPECT_EQ("after its death", capture.Lines.back());
}

TEST_F(ScriptTest, ReturnedValuesAndInheritedMethodsBehaveAsBefore)
{
    StartScripts();
    // A returned vector is the script's own copy: it outlives the collector, changing it
    // leaves the actor alone, and it goes back into the engine and through operators.
    EXPECT_EQ("", Run(R"(
      a = zarvo.TextActor()
      a:SetPosition(1, 2)
      p = a:GetPosition()
      collectgarbage(); collectgarbage()
      p.X = 5
    )"));
    EXPECT_EQ("5 1 2", Eval("p.X .. ' ' .. a:GetPosition().X .. ' ' .. a:GetPosition().Y"));
    EXPECT_EQ("", Run("a:SetPosition(p + zarvo.Vector2(1, 1))"));
    EXPECT_EQ("6 3", Eval("a:GetPosition().X .. ' ' .. a:GetPosition().Y"));
    EXPECT_EQ("true", Eval("a:GetPosition() == zarvo.Vector2(6, 3)"));
    EXPECT_EQ("1", Eval("a:GetColor().A == 1 and zarvo.Vector2_Min(zarvo.Vector2(0, 2), zarvo.Vector2(1, 1)).Y"));

    // Methods of the class and of its bases are found; properties and unknown names still
    // take the generator's way.
    EXPECT_EQ("", Run("a:SetName('Told'); a:SetDisplayString('hi')"));
    EXPECT_EQ("Told hi", Eval("a:GetName() .. ' ' .. a:GetDisplayString()"));
    EXPECT_EQ("nil", Eval("a.NoSuchMethod"));
    EXPECT_EQ("", Run("a:Destroy()"));
}

// The script form takes gravity and the two corners of the world, which it ignores; the
// World listens to the contacts.
TEST_F(ScriptTest, SetupPhysicsTakesTheTwoCornersAsWell)
{
    StartScripts();
    EXPECT_EQ("true", Eval("zarvo.World_GetInstance():SetupPhysics(zarvo.Vector2(0, -10), zarvo.Vector2(100, 100), "
                           "zarvo.Vector2(-100, -100))"));
    World* world = World::GetInstance();
    ASSERT_TRUE(world->IsPhysicsSetUp());
    EXPECT_EQ(-10.0f, world->GetPhysicsWorld()->GetGravity().y);
    EXPECT_EQ("false", Eval("zarvo.World_GetInstance():SetupPhysics(zarvo.Vector2(1, 1), zarvo.Vector2(5, 5))"));
    EXPECT_NE(String::npos, Run("zarvo.World_GetInstance():SetupPhysics(zarvo.Vector2(), 7)")
                                .find("Wrong arguments for overloaded function 'World_SetupPhysics'"));
}

TEST_F(ScriptTest, CallsByNameSurviveAStrictGlobalsTable)
{
    StartScripts();
    CapturingLog& capture = SystemLogCapture();
    EXPECT_EQ("", Run("called = 0; function Count() called = called + 1 end"));
    EXPECT_TRUE(LuaScriptingModule::CallFunction("Count"));
    EXPECT_EQ("", Run("setmetatable(_G, { __index = function(_, name) error('strict: ' .. name) end })"));
    EXPECT_TRUE(LuaScriptingModule::CallFunction("Count"));
    EXPECT_EQ("2", Eval("called"));
    capture.Lines.clear();
    EXPECT_FALSE(LuaScriptingModule::CallFunction("Missing"));
    ASSERT_FALSE(capture.Lines.empty());
    EXPECT_NE(String::npos, capture.Lines.back().find("strict: Missing"));
    EXPECT_EQ(0, lua_gettop(State()));
}
