#include "scripting/ScriptTestSupport.h"

#include "engine/core/World.h"

// A handle whose object the engine deleted is refused with a script error, however the
// object went: destroyed on a layer, unloaded, delivered, collected through another handle,
// shut down.
TEST_F(ScriptTest, HandlesToDeletedObjectsAreRefused)
{
    StartScripts();
    const String gone = "the object no longer exists";
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); a = zarvo.Actor(); world:Add(a, 1); a:Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_NE(String::npos, Run("a:GetName()").find("Error in Actor_GetName (arg 1), " + gone));
    EXPECT_NE(String::npos, Run("a:SetPosition(1, 2)").find(gone));
    EXPECT_NE(String::npos, Run("world:Add(a, 2)").find(gone));
    EXPECT_NE(String::npos, Run("zarvo.Camera_GetInstance():LockTo(a)").find(gone));

    EXPECT_EQ("", Run("t = zarvo.TextActor(); world:Add(t, 1); world:ResetWorld()"));
    EXPECT_NE(String::npos, Run("t:SetDisplayString('x')").find(gone));

    EXPECT_EQ("", Run("m = zarvo.StringMessage('Gone', 'x'); zarvo.Switchboard_GetInstance():Broadcast(m)"));
    World::GetInstance()->Tick(true);
    EXPECT_NE(String::npos, Run("m:GetValue()").find(gone));

    // A message kept by the script forgets its sender when the sender is deleted.
    EXPECT_EQ("", Run("s = zarvo.Actor(); world:Add(s, 1); kept = zarvo.Message('Kept', s); s:Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ("true", Eval("kept:GetSender() == nil"));
    EXPECT_EQ("", Run("kept = nil; collectgarbage(); t2 = zarvo.Actor(); world:Add(t2, 1); t2:Destroy()"));
    World::GetInstance()->Tick(true);

    // The collector deletes an actor the script owns; a second handle to it is cleared.
    EXPECT_EQ("", Run("local owned = zarvo.Actor(); other = owned:GetSelf(); owned = nil; "
                      "collectgarbage(); collectgarbage()"));
    EXPECT_NE(String::npos, Run("other:GetName()").find(gone));

    // A finalizer called by hand frees nothing twice.
    EXPECT_EQ("", Run("v = zarvo.Actor(); getmetatable(v).__gc(v)"));
    EXPECT_NE(String::npos, Run("v:GetName()").find(gone));

    EXPECT_EQ("", Run("device = zarvo.SoundDevice_GetInstance(); device:Shutdown()"));
    EXPECT_NE(String::npos, Run("device:Update()").find(gone));
    EXPECT_EQ("true", Eval("zarvo.SoundDevice_GetInstance():IsPlaying(nil) == false"));
}

// Calls with nil, missing or foreign values that used to reach the engine end as script
// errors; where the engine takes a null pointer, nil still means none.
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
}

// Lists come back as tables indexed from 1 and go in as such.
TEST_F(ScriptTest, ListsAreTablesFromOne)
{
    StartScripts();
    EXPECT_EQ("true", Eval("(function() local modes = zarvo.World_GetInstance():GetVideoModes() "
                           "return #modes >= 1 and modes[1].X > 0 and modes[1].Y > 0 and modes[1].Z > 0 end)()"));
    EXPECT_EQ("", Run("p = zarvo.PhysicsActor(); p:SetPolygonVertices({ zarvo.Vector2(0, 0), zarvo.Vector2(1, 0), "
                      "zarvo.Vector2(0, 1) })"));
    EXPECT_NE(String::npos,
              Run("p:SetPolygonVertices({ 1, 2 })").find("expected a table of 'Vector2' got 'number' at 1"));
}
