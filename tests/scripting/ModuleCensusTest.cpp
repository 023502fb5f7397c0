#include "scripting/ScriptTestSupport.h"

#include "engine/config/Tuning.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/math/Vector2.h"
#include "engine/messaging/Switchboard.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/util/FileUtil.h"

#include "support/SystemLogCapture.h"

#include <lua.hpp>

#include <GL/gl.h>

#include <map>

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
    // What scripts may call on each class (its own methods, and its properties after a
    // "."), as each class's documentation gives it to scripts: no engine internals, no test
    // hooks, and of the World only what scripts are meant to drive.
    const std::map<String, String> kExposed = {
        { "Accelerometer", "GetData" },
        { "Actor", "ChangeAlphaTo ChangeColorTo ChangeSizeTo ClearSpriteInfo GetAlpha GetBoundingBox "
                   "GetClassName GetColor GetDrawShape GetName GetPosition GetRotation GetSelf GetSize "
                   "GetSpriteFrame GetSpriteTexture GetTags GetUVs IsMoving IsSpriteAnimPlaying IsTagged "
                   "LevelUnloaded LoadSpriteFrames MoveTo PlaySpriteAnimation ReceiveMessage Render RotateTo "
                   "SetAlpha SetColor SetDrawShape SetLayer SetName SetPosition SetRotation SetSize "
                   "SetSprite SetSpriteFrame SetUVs SpriteAnimationFinished Tag Untag Update" },
        { "Camera", "GetClassName GetFarClipDist GetLockedActor GetNearClipDist GetViewCenter GetViewRadius "
                    "GetWindowHeight GetWindowWidth GetWorldMaxVertex GetWorldMinVertex GetZ "
                    "GetZForViewRadius LockTo MoveTo Render Reset Resize SetFarClipDist SetNearClipDist "
                    "SetPosition SetRotation SetViewCenter SetZByViewRadius Update" },
        { "Color", ".A .B .G .R Clamp" },
        { "CompoundLog", "AddLog Log" },
        { "ConsoleLog", "Log" },
        { "Controller", "GetControllerID GetLeftThumbVec2 GetLeftThumbstick GetLeftTrigger GetLeftVibration "
                        "GetRightThumbVec2 GetRightThumbstick GetRightTrigger GetRightVibration GetState "
                        "IsAButtonDown IsBButtonDown IsBackButtonDown IsButtonDown IsConnected "
                        "IsLeftBumperDown IsLeftThumbstickButtonDown IsLeftTriggerPressed IsRightBumperDown "
                        "IsRightThumbstickButtonDown IsRightTriggerPressed IsStartButtonDown IsXButtonDown "
                        "IsYButtonDown SetLeftVibration SetLeftVibrationRaw SetRightVibration "
                        "SetRightVibrationRaw Setup UpdateState" },
        { "ControllerInput", ".Buttons .LeftThumbstickX .LeftThumbstickY .LeftTriggerValue .RightThumbstickX "
                             ".RightThumbstickY .RightTriggerValue" },
        { "ControllerManager", "GetController Setup UpdateState" },
        { "DeveloperLog", "Log Printf" },
        { "FileLog", "Log" },
        { "FloatMessage", "GetValue" },
        { "FullScreenActor", "GetClassName IsLocked ReceiveMessage SetLock" },
        { "GestureData", ".GestureMagnitude .Velocity" },
        { "GridActor", "GetAxisColor GetInterval GetLineColor GetMaxCoord GetMinCoord Render SetAxisColor "
                       "SetInterval SetLineColor SetMaxCoord SetMinCoord Update" },
        { "HUDActor", "GetClassName Render" },
        { "IntMessage", "GetValue" },
        { "MathUtil", "" },
        { "Message", "GetMessageName GetSender" },
        { "MessageListener", "ReceiveMessage" },
        { "MouseListener", "MouseDownEvent MouseMotionEvent MouseUpEvent MouseWheelEvent" },
        { "ParticleActor", "GetClassName Render SetAttractor SetAttractorStrength SetEndColor SetEndScale "
                           "SetGravity SetMaxParticles SetMaxSpeed SetMinSpeed SetParticleLifetime "
                           "SetParticlesPerSecond SetSpeedRange SetSpread SetSystemLifetime Update" },
        { "PhysicsActor", "ApplyAngularImpulse ApplyForce ApplyLinearImpulse ApplyLocalForce ApplyTorque "
                          "ChangeSizeTo CustomInitPhysics GetClassName InitPhysics InitShape MoveTo RotateTo "
                          "SetDensity SetDrawSize SetFixedRotation SetFriction SetGroupIndex SetIsSensor "
                          "SetPolygonVertices SetPosition SetRestitution SetRotation SetShapeType "
                          "SyncFromBody" },
        { "Preferences", "GetDefaultPath GetFloat GetInt GetString GetUserPrefsPath SavePreferences SetFloat "
                         "SetInt SetString" },
        { "Renderable", "Destroy GetLayer IsDestroyed PreDestroy Render Update" },
        { "SoundDevice", "Initialize IsPaused IsPlaying LoadSample PauseSound PlaySound SetPan "
                         "SetSoundCallback SetVolume Shutdown StopSound Update" },
        { "StringMessage", "GetValue" },
        { "Switchboard", "Broadcast DeferredBroadcast GetSubscribersTo GetSubscriptionsFor SendAllMessages "
                         "SubscribeTo UnsubscribeFrom Update" },
        { "SystemLog", "Log" },
        { "TagCollection", "GetObjectsTagged GetTagList" },
        { "TextActor", "GetAlignment GetBoundingBox GetClassName GetDisplayString GetFont GetLineSpacing "
                       "ReceiveMessage Render SetAlignment SetDisplayString SetFont SetLineSpacing "
                       "SetPosition SetRotation" },
        { "Touch", ".CurrentPoint .MotionStartTime .StartTime .StartingPoint" },
        { "TouchListener", "TouchEndEvent TouchMotionEvent TouchStartEvent" },
        { "Tuning", "AddToRuntimeTuningList GetFloat GetInt GetString GetVariables GetVector IsRuntimeTuned "
                    "LoadTuningVariables SetFloat SetInt SetString SetVector" },
        { "Vec2i", ".X .Y" },
        { "Vec2iMessage", "GetValue" },
        { "Vec2ui", ".X .Y" },
        { "Vec2uiMessage", "GetValue" },
        { "Vec3i", ".X .Y .Z" },
        { "Vec3iMessage", "GetValue" },
        { "Vec3ui", ".X .Y .Z" },
        { "Vec3uiMessage", "GetValue" },
        { "Vector2", ".X .Y Length LengthSquared Normalize" },
        { "Vector2Message", "GetValue" },
        { "Vector3", ".X .Y .Z Length LengthSquared Normalize" },
        { "Vector3Message", "GetValue" },
        { "World", "Add AdjustWindow DrawDebugLine GetConsole GetCurrentTimeSeconds GetLayerByName "
                   "GetVideoModes IsPhysicsSetUp IsSimulationOn MoveWindow NameLayer PausePhysics "
                   "PauseSimulation PurgeDebugDrawing RegisterConsole Remove ResetWorld ResumePhysics "
                   "ResumeSimulation SetBackgroundColor SetupPhysics StopGame UpdateLayer" },
        { "string", "assign c_str data empty length size" },
    };

    // A class's own methods and properties (after a "."), as kExposed lists them, or its bases.
    const char* const kMembers = R"((function(name, bases)
      local metatable, found = debug.getregistry().SWIG[name], {}
      if bases then
        for _, base in ipairs(metatable[".bases"]) do found[#found + 1] = base[".type"] end
        return table.concat(found, " ")
      end
      for member in pairs(metatable[".fn"]) do
        if member:sub(1, 2) ~= "__" then found[#found + 1] = member end
      end
      for member in pairs(metatable[".get"]) do found[#found + 1] = "." .. member end
      table.sort(found)
      return table.concat(found, " ")
    end))";

    // The classes in the order the module registers them, read from the generated glue.
    StringList RegistrationOrder()
    {
        const String glue = ReadWholeFile(ZARVO_BINARY_DIR "/engine/swig/zarvoLUA_wrap.cxx");
        const size_t start = glue.find("swig_SwigModule_classes[]");
        const String marker = "&_wrap_class_";
        StringList order;
        for (size_t at = glue.find(marker, start); at < glue.find("};", start); at = glue.find(marker, at + 1))
        {
            const size_t nameStart = at + marker.size();
            order.push_back(glue.substr(nameStart, glue.find(',', nameStart) - nameStart));
        }
        return order;
    }
}

TEST_F(ScriptTest, EachClassExposesItsDocumentedOperationsInOrderWithItsBases)
{
    StartScripts();
    for (const auto& entry : kExposed)
        EXPECT_EQ(entry.second, Eval(String(kMembers) + "('" + entry.first + "')")) << entry.first;

    // In registration order, each with its bases in brackets.
    String classes;
    for (const String& name : RegistrationOrder())
    {
        const String bases = Eval(String(kMembers) + "('" + name + "', true)");
        classes += (classes.empty() ? "" : " ") + name + (bases.empty() ? "" : "(" + bases + ")");
    }
    EXPECT_EQ("string Vec2i Vec2ui Vec3i Vec3ui Vector2 Vector3 Color Message FloatMessage(Message) "
              "IntMessage(Message) StringMessage(Message) Vector2Message(Message) Vector3Message(Message) "
              "Vec2iMessage(Message) Vec2uiMessage(Message) Vec3iMessage(Message) Vec3uiMessage(Message) "
              "MessageListener Switchboard Renderable MathUtil World DeveloperLog ConsoleLog(DeveloperLog) "
              "FileLog(DeveloperLog) SystemLog(DeveloperLog) CompoundLog(DeveloperLog) Tuning Preferences "
              "SoundDevice ControllerInput ControllerManager Controller MouseListener Touch GestureData "
              "TouchListener Accelerometer Actor(Renderable MessageListener) TagCollection Camera(Actor) "
              "PhysicsActor(Actor) ParticleActor(Actor) TextActor(Actor) GridActor(Renderable) "
              "FullScreenActor(Actor) HUDActor(Actor)",
              classes);
    // The engine's own reads of the preferences and the World's life cycle stay out of reach.
    EXPECT_EQ("nil nil nil", Eval("tostring(zarvo.Preferences_GetInstance().OverrideInt) .. ' ' .. "
                                  "tostring(zarvo.World_GetInstance().Destroy) .. ' ' .. "
                                  "tostring(zarvo.World_GetInstance().Tick)"));
}

TEST_F(ScriptTest, BadCallsRaiseTheGeneratorsErrorTexts)
{
    StartScripts();
    EXPECT_NE(String::npos, Run("zarvo.MathUtil_ToDegrees()").find("Error in MathUtil::ToDegrees expected 1..1 args, got 0"));
    EXPECT_NE(String::npos, Run("zarvo.MathUtil_ToDegrees('x')")
                                .find("Error in MathUtil::ToDegrees (arg 1), expected 'float' got 'string'"));
    EXPECT_NE(String::npos, Run("zarvo.Vector2({})").find("Wrong arguments for overloaded function 'new_Vector2'\n"
                                                           "    Vector2::Vector2()\n"
                                                           "    Vector2::Vector2(float,float)\n"
                                                           "    Vector2::Vector2(float)\n"
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
