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

// A renderable a script hands to the World is the World's through every handle of it; one the
// World gives up on a script's Remove is the script's again (no leak); one a holder keeps
// (a game's button, the camera) is refused to a script's Add, Remove, move and Destroy.
TEST_F(ScriptTest, RenderablesChangeHandsOnlyWhereNoHolderKeepsThem)
{
    StartScripts();
    Actor* held = new Actor();
    held->SetName("Held");
    held->SetHolder("the game");
    World::GetInstance()->Add(held, 1);
    EXPECT_EQ("", Run("world = zarvo.World_GetInstance(); local a = zarvo.Actor(); a:SetName('Taken'); world:Add(a, 1); "
                      "world:Remove(a); local b = zarvo.Actor(); b:SetName('Added'); world:Add(b:GetSelf(), 1); "
                      "a = nil; b = nil; collectgarbage(); collectgarbage(); h = zarvo.Actor_GetNamed('Held')"));
    EXPECT_EQ("nil", Eval("zarvo.Actor_GetNamed('Taken')"));
    EXPECT_EQ("Added", Eval("zarvo.Actor_GetNamed('Added'):GetName()"));
    for (const char* call : {"h:Destroy()", "world:Remove(h)", "world:Add(h, 2)", "world:UpdateLayer(h, 2)"})
        EXPECT_NE(String::npos, Run(call).find("), the object belongs to the game, which still uses it")) << call;
    for (const char* call : {"zarvo.Camera_GetInstance():Destroy()", "world:Add(zarvo.Camera_GetInstance())"})
        EXPECT_NE(String::npos, Run(call).find("belongs to the engine")) << call;
    World::GetInstance()->Tick(true);
    EXPECT_EQ(1, held->GetLayer());

    // A holder that lets go of it on its destruction (the game's ships) lets scripts destroy it.
    held->SetHolder("the game", true);
    EXPECT_EQ("", Run("h:Destroy()"));
    World::GetInstance()->Tick(true);
    EXPECT_EQ(nullptr, Actor::GetNamed("Held"));
}
