#include "scripting/ScriptTestSupport.h"

#include "engine/core/World.h"

// A handle whose object the engine deleted is refused with a script error, however the
// object went.
TEST_F(ScriptTest, HandlesToDeletedObjectsAreRefused)
{
    StartScripts();
    const String gone = "the object no longer exists";
    // Destroyed on a layer, delivered, and the sender of a message the script keeps destroyed.
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); a = zarvo.Actor(); world:Add(a, 1); a:Destroy(); "
                      "m = zarvo.StringMessage('Gone', 'x'); zarvo.Switchboard_GetInstance():Broadcast(m); "
                      "s = zarvo.Actor(); world:Add(s, 1); kept = zarvo.Message('Kept', s); s:Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_NE(String::npos, Run("a:GetName()").find("Error in Actor_GetName (arg 1), " + gone));
    for (const char* call : {"a:SetPosition(1, 2)", "world:Add(a, 2)", "zarvo.Camera_GetInstance():LockTo(a)", "m:GetValue()"})
        EXPECT_NE(String::npos, Run(call).find(gone)) << call;
    // The kept message forgets its sender, and once collected hears of no later deletion.
    EXPECT_EQ("true", Eval("kept:GetSender() == nil"));
    EXPECT_EQ("", Run("kept = nil; collectgarbage(); t2 = zarvo.Actor(); world:Add(t2, 1); t2:Destroy()"));
    World::GetInstance()->Tick(true);

    // Unloaded, collected through another handle, finalized by hand (freeing nothing twice), shut down.
    EXPECT_EQ("", Run("t = zarvo.TextActor(); world:Add(t, 1); world:ResetWorld(); local owned = zarvo.Actor(); "
                      "other = owned:GetSelf(); owned = nil; collectgarbage(); collectgarbage(); "
                      "v = zarvo.Actor(); getmetatable(v).__gc(v); device = zarvo.SoundDevice_GetInstance(); "
                      "device:Shutdown()"));
    for (const char* call : {"t:SetDisplayString('x')", "other:GetName()", "v:GetName()", "device:Update()"})
        EXPECT_NE(String::npos, Run(call).find(gone)) << call;
    EXPECT_EQ("true", Eval("zarvo.SoundDevice_GetInstance():IsPlaying(nil) == false"));
}

// Nil, missing or foreign values that used to reach the engine end as script errors; where
// the engine takes a null pointer, nil still means none. Lists are tables from 1.
TEST_F(ScriptTest, NilAndForeignArgumentsAreRefused)
{
    StartScripts();
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); board = zarvo.Switchboard_GetInstance(); a = zarvo.Actor()"));
    EXPECT_NE(String::npos, Run("world:UpdateLayer(nil, 1)").find("(arg 2), expected 'Renderable *' got 'nil'"));
    EXPECT_NE(String::npos, Run("board:Broadcast(nil)").find("(arg 2), expected 'Message *' got 'nil'"));
    EXPECT_NE(String::npos, Run("board:DeferredBroadcast(nil, 1)").find("expected 'Message *' got 'nil'"));
    EXPECT_NE(String::npos, Run("board:SubscribeTo(nil, 'X')").find("expected 'MessageListener *' got 'nil'"));
    EXPECT_NE(String::npos, Run("a:ReceiveMessage(nil)").find("expected 'Message *' got 'nil'"));
    EXPECT_NE(String::npos, Run("getmetatable(a)['.fn'].GetName(nil)").find("expected 'Actor *' got 'nil'"));
    EXPECT_NE(String::npos, Run("world:Remove(io.stdout)").find("expected 'Renderable *' got 'userdata'"));
    EXPECT_NE(String::npos, Run("getmetatable(a).__tostring(io.stdout)").find("expected a module object"));
    EXPECT_NE(String::npos, Run("getmetatable(zarvo).__index()").find("expected a module table"));
    EXPECT_NE(String::npos, Run("zarvo.string():assign(nil)").find("got 'nil'"));
    EXPECT_NE(String::npos, Run("zarvo.Touch().CurrentPoint = nil").find("got 'nil'"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ("", Run("world:Remove(nil); zarvo.Camera_GetInstance():LockTo(nil)"));

    EXPECT_EQ("true", Eval("(function() local modes = world:GetVideoModes() "
                           "return #modes >= 1 and modes[1].X > 0 and modes[1].Y > 0 and modes[1].Z > 0 end)()"));
    EXPECT_EQ("", Run("p = zarvo.PhysicsActor(); p:SetPolygonVertices({ zarvo.Vector2(0, 0), zarvo.Vector2(1, 0), "
                      "zarvo.Vector2(0, 1) })"));
    EXPECT_NE(String::npos, Run("p:SetPolygonVertices({ 1, 2 })").find("expected a table of 'Vector2' got 'number' at 1"));
}
