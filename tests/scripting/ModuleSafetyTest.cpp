#include "scripting/ScriptTestSupport.h"

#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/messaging/Switchboard.h"

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
    EXPECT_EQ("", Run("t = zarvo.TextActor(); world:Add(t, 1); world:ResetWorld(); "
                      "v = zarvo.Actor(); debug.getmetatable(v).__gc(v); device = zarvo.SoundDevice_GetInstance(); "
                      "device:Shutdown()"));
    for (const char* call : {"t:SetDisplayString('x')", "v:GetName()", "device:Update()"})
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
    EXPECT_NE(String::npos, Run("debug.getmetatable(a)['.fn'].GetName(nil)").find("expected 'Actor *' got 'nil'"));
    EXPECT_NE(String::npos, Run("world:Remove(io.stdout)").find("expected 'Renderable *' got 'userdata'"));
    EXPECT_NE(String::npos, Run("debug.getmetatable(a).__tostring(io.stdout)").find("expected a module object"));
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

// A number no int (or unsigned) can hold became INT_MIN by a plain cast: 2^31 was saved as -2147483648.
TEST_F(ScriptTest, NumbersNoIntegerCanHoldAreRefusedNamingTheArgument)
{
    StartScripts();
    EXPECT_EQ("-2147483648 4294967295", Eval("zarvo.Vec2i(-2^31, 2^31 - 1).X .. ' ' .. zarvo.Vec2ui(2^32 - 1, 0).X"));
    EXPECT_NE(String::npos, Run("zarvo.Preferences_GetInstance():SetInt('T', 'c', 2^31)")
                                .find("Error in Preferences_SetInt (arg 4), 2147483648 does not fit in 'int'"));
    for (const char* call : {"zarvo.MathUtil_RandomInt(0/0)", "zarvo.Vec2i(-2^31 - 1, 0)", "zarvo.Vec2ui(2^32, 0)",
                             "zarvo.TextActor():SetAlignment(1/0)"})
        EXPECT_NE(String::npos, Run(call).find("does not fit in")) << call;
    EXPECT_NE(String::npos, Run("zarvo.Vec2ui(-1, 0)").find("Error in new_Vec2ui (arg 1), number must not be negative"));
}

// A message still queued or waiting was queued again, and delivered from freed memory.
TEST_F(ScriptTest, AMessageBroadcastTwiceIsAScriptErrorAndDeliveredOnce)
{
    StartScripts();
    for (const char* twice : {"S:Broadcast(m) S:Broadcast(m)", "S:DeferredBroadcast(m, 0.5) S:Broadcast(m)",
                              "S:DeferredBroadcast(m, 0.5) S:DeferredBroadcast(m, 0)"})
    {
        EXPECT_NE(String::npos, Run(std::string("S = zarvo.Switchboard_GetInstance() m = zarvo.Message('Q') ") + twice)
                                    .find("the message is already queued")) << twice;
        Switchboard::GetInstance()->Update(1.0f);
        Switchboard::GetInstance()->SendAllMessages();
        EXPECT_NE(String::npos, Run("m:GetMessageName()").find("the object no longer exists")) << twice;
    }
}

// A handle collected without its finalizer (taken from the class, or the handle's metatable
// dropped) stayed listed, and the engine later cleared it in freed memory: the sanitizer
// build reports any such write here.
TEST_F(ScriptTest, HandlesCollectedWithoutTheirFinalizerAreForgotten)
{
    StartScripts();
    EXPECT_EQ("Actor", Eval("getmetatable(zarvo.Actor())"));
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); board = zarvo.Switchboard_GetInstance(); "
                      "local mt = debug.getmetatable(zarvo.Actor()); local gc = rawget(mt, '__gc'); "
                      "rawset(mt, '__gc', nil); "
                      "for i = 1, 50 do local a = zarvo.Actor(); a:SetName('Z' .. i); world:Add(a, 1) end; "
                      "local m = zarvo.Message('Unheard'); board:Broadcast(m); debug.setmetatable(m, nil); "
                      "local d = zarvo.Actor(); d:SetName('Dropped'); world:Add(d, 1); debug.setmetatable(d, nil); "
                      "m = nil; d = nil; collectgarbage(); collectgarbage(); rawset(mt, '__gc', gc); "
                      "for i = 1, 200 do local t = { i, tostring(i) } end; "
                      "for i = 1, 50 do zarvo.Actor_GetNamed('Z' .. i):Destroy() end; "
                      "zarvo.Actor_GetNamed('Dropped'):Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ("nil", Eval("zarvo.Actor_GetNamed('Z1')"));

    // A handle without the module's metatable is no handle any more.
    EXPECT_NE(String::npos, Run("local a = zarvo.Actor(); debug.setmetatable(a, nil); a = world:Remove(a)")
                                .find("expected 'Renderable *' got 'userdata'"));
}

// The owning handle's collection deletes the object and clears its other handles; one that
// runs while a module call is under way (any allocation may run it) waits for that call to
// return, so no call goes on with the object deleted under it.
TEST_F(ScriptTest, TheOwnersCollectionDeletesTheObjectButNeverUnderACall)
{
    StartScripts();
    EXPECT_EQ("", Run("(function() local o = zarvo.Actor(); o:SetName('Own2'); o:Tag('kept'); "
                      "k = zarvo.Actor_GetNamed('Own2') end)(); collectgarbage()"));
    EXPECT_EQ("nil", Eval("zarvo.Actor_GetNamed('Own2')"));
    EXPECT_EQ("0", Eval("#zarvo.TagCollection_GetInstance():GetObjectsTagged('kept')"));
    EXPECT_NE(String::npos, Run("k:GetName()").find("the object no longer exists"));

    // Every allocation finishes a collection; the owner goes at one inside GetSelf or SetName.
    // Each round ends at the first script error: every one is "no longer exists", most rounds
    // see the owner go, and no name set on a deleted actor stays registered.
    EXPECT_EQ("", Run("collectgarbage('setpause', 0); collectgarbage('setstepmul', 100000); collectgarbage(); "
                      "other, gone = nil, 0; for i = 1, 100 do "
                      "(function() local o = zarvo.Actor(); b = o:GetSelf() end)(); "
                      "for j = 1, 10 do local ok, err = pcall(function() b = b:GetSelf(); b:SetName(j) end); "
                      "if not ok then if err:find('no longer exists') then gone = gone + 1 else other = err end "
                      "break end end end; collectgarbage('setpause', 200); collectgarbage('setstepmul', 200); "
                      "collectgarbage()"));
    EXPECT_EQ("nil", Eval("other"));
    EXPECT_EQ("true", Eval("gone > 50"));
    for (int j = 1; j <= 10; ++j)
        EXPECT_EQ("nil", Eval("zarvo.Actor_GetNamed('" + std::to_string(j) + "')")) << j;
}

// Lua takes an object that waits for its finalizer out of weak-valued tables before that
// finalizer runs; a handle another finalizer brought back in between went unlisted, so the
// object's deletion did not clear it, nor a hand-over to the World disown it.
TEST_F(ScriptTest, HandlesAFinalizerBringsBackAreClearedAndDisowned)
{
    StartScripts();
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); (function() "
                      "local a = zarvo.Actor(); a:SetName('Victim'); local b = a:GetSelf(); "
                      "setmetatable({}, { __gc = function() pcall(function() b:SetName('Overwritten'); saved = b end) end }); "
                      "world:Add(a, 1); local c = a:GetSelf(); world:Remove(c) end)(); collectgarbage()"));
    EXPECT_EQ("nil nil", Eval("tostring(zarvo.Actor_GetNamed('Victim')) .. ' ' .. "
                              "tostring(zarvo.Actor_GetNamed('Overwritten'))"));
    // Saved only when that finalizer ran before the owner's: the deletion cleared it then.
    EXPECT_EQ("true", Eval("saved == nil or select(2, pcall(saved.GetName, saved)):find('no longer exists') ~= nil"));

    // The owner, brought back before its own finalizer, is disowned when the World takes the actor.
    EXPECT_EQ("", Run("(function() local a = zarvo.Actor(); a:SetName('Kept'); local h = { a }; "
                      "setmetatable({}, { __gc = function() world:Add(h[1]:GetSelf(), 1) end }) end)(); "
                      "collectgarbage(); collectgarbage()"));
    World::GetInstance()->Tick(true);
    Actor* kept = Actor::GetNamed("Kept");
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(1, kept->GetLayer());
}

// What a script puts on a layer, by an add or a move, is the World's through every handle; only
// what its own handle gave up comes back on its Remove. A holder keeps its renderable: a script
// can't destroy it, nor put the camera on a layer, but may move it or take it off its layer.
TEST_F(ScriptTest, RenderablesChangeHandsOnlyWhereAScriptGaveThem)
{
    StartScripts();
    Actor* held = new Actor();
    held->SetName("Held");
    held->SetHolder("the game");
    World::GetInstance()->Add(held, 1);
    Actor* engines = new Actor();
    engines->SetName("Engines");
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); local a = zarvo.Actor(); a:SetName('Taken'); world:Add(a, 1); "
                      "world:Remove(a); local b = zarvo.Actor(); b:SetName('Added'); world:Add(b:GetSelf(), 1); "
                      "local c = zarvo.Actor(); c:SetName('Moved'); c:SetLayer(5); "
                      "local d = zarvo.Actor(); d:SetName('Updated'); world:NameLayer('sea', 6); world:UpdateLayer(d, 'sea'); "
                      "local e = zarvo.Actor_GetNamed('Engines'); world:Add(e, 1); world:Remove(e); "
                      "a, b, c, d, e = nil; collectgarbage(); collectgarbage(); h = zarvo.Actor_GetNamed('Held')"));
    EXPECT_EQ("nil", Eval("zarvo.Actor_GetNamed('Taken')"));
    for (const char* kept : {"Added", "Moved", "Updated", "Engines"})
        EXPECT_EQ(kept, Eval(String("zarvo.Actor_GetNamed('") + kept + "'):GetName()"));
    EXPECT_NE(String::npos, Run("h:Destroy()").find("Error in Renderable_Destroy (arg 1), the object belongs to the "
                                                     "game, which still uses it"));
    for (const char* call : {"zarvo.Camera_GetInstance():Destroy()", "world:Add(zarvo.Camera_GetInstance())",
                             "zarvo.Camera_GetInstance():SetLayer(3)", "world:UpdateLayer(zarvo.Camera_GetInstance(), 3)"})
        EXPECT_NE(String::npos, Run(call).find("belongs to the engine")) << call;
    EXPECT_EQ("", Run("zarvo.Camera_GetInstance():SetLayer(0); world:Remove(zarvo.Camera_GetInstance()); "
                      "world:UpdateLayer(h, 2)"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ(2, held->GetLayer());
    EXPECT_EQ(5, Actor::GetNamed("Moved")->GetLayer());
    EXPECT_EQ(6, Actor::GetNamed("Updated")->GetLayer());
    delete engines;
    // Taken off its layer, it stays the game's.
    EXPECT_EQ("", Run("world:Remove(h); h = nil; collectgarbage(); h = zarvo.Actor_GetNamed('Held')"));
    EXPECT_EQ("Held", Eval("h:GetName()"));
    EXPECT_FALSE(World::GetInstance()->Contains(held));
    World::GetInstance()->Add(held, 1);

    // A holder that lets go of it on its destruction (the game's ships) lets scripts destroy it.
    held->SetHolder("the game", true);
    EXPECT_EQ("", Run("h:Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ(nullptr, Actor::GetNamed("Held"));
}
