#include "engine/actors/HUDActor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "game/sea/BackgroundManager.h"
#include "game/sea/BackgroundTile.h"
#include "game/screens/BattleHUD.h"
#include "game/ships/CannonBall.h"
#include "game/screens/EndScreen.h"
#include "game/core/GameConstants.h"
#include "game/ships/HitParticleActor.h"
#include "game/ships/Ship.h"
#include "game/screens/Shipyard.h"
#include "game/screens/StartScreen.h"
#include "game/core/SkarrowGameManager.h"
#include "game/sound/SoundManager.h"
#include "game/sea/SplashParticleActor.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>
#include <lua.hpp>
#include <unistd.h>

#include <algorithm>
#include <set>

namespace
{
    // The whole game on the World, as the program runs it.
    class GameWiringTest : public WorldWindow
    {
    protected:
        void SetUp() override
        {
            ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
            WorldWindow::SetUp();
            game = SkarrowGameManager::GetInstance();
            World::GetInstance()->SetGameManager(game);
        }

        template <typename T>
        int CountOnLayer(int layer)
        {
            const RenderLayers& layers = World::GetInstance()->GetLayers();
            RenderLayers::const_iterator found = layers.find(layer);
            if (found == layers.end())
                return 0;
            int count = 0;
            for (Renderable* renderable : found->second)
            {
                if (dynamic_cast<T*>(renderable) != 0)
                    ++count;
            }
            return count;
        }

        void Send(const String& name)
        {
            Message message(name);
            game->ReceiveMessage(&message);
        }

        // Ticks and draws, so that every renderable is updated and drawn.
        void PlayFrames(int count)
        {
            while (count-- > 0)
                DrawFrame();
        }

        static bool IsInWorld(const Renderable* renderable)
        {
            for (const auto& layer : World::GetInstance()->GetLayers())
                if (std::find(layer.second.begin(), layer.second.end(), renderable) != layer.second.end())
                    return true;
            return false;
        }

        SkarrowGameManager* game = nullptr;
    };
}

TEST_F(GameWiringTest, TheSeaAndTheWallsLieUnderTheShips)
{
    BackgroundManager* background = game->GetBackground();
    ASSERT_NE(nullptr, background);
    EXPECT_EQ(1, background->GetTile(0, 0)->GetLayer());
    EXPECT_EQ(1, background->GetTile(6, 6)->GetLayer());
    for (int wall = 0; wall < BackgroundManager::WallCount; ++wall)
        EXPECT_EQ(1, background->GetWall(wall)->GetLayer());
}

TEST_F(GameWiringTest, AHardcoreBattleGetsItsHudAndBattleMusic)
{
    EXPECT_EQ(nullptr, game->GetBattleHUD());
    Send(StartHardcoreModeMessage);
    ASSERT_EQ(GS_Hardcore, game->GetState());
    ASSERT_NE(nullptr, game->GetBattleHUD());
    EXPECT_EQ(9, game->GetBattleHUD()->GetLayer());
    EXPECT_EQ(1, CountOnLayer<BattleHUD>(9));
    ASSERT_NE(nullptr, game->GetSoundManager());
    EXPECT_EQ(SoundManager::MM_Battle, game->GetSoundManager()->GetMusicMode());
    EXPECT_FALSE(game->GetShipyard()->IsVisible());
}

TEST_F(GameWiringTest, TheFirstTechRaceWaveOpensTheShipyardOverAPausedWorld)
{
    Send(StartTechRaceMessage);
    EXPECT_EQ(GS_Shipyard, game->GetState());
    EXPECT_EQ(1, game->GetWave());
    EXPECT_TRUE(game->GetShipyard()->IsVisible());
    EXPECT_EQ(12, game->GetShipyard()->GetLayer());
    EXPECT_FALSE(World::GetInstance()->IsSimulationOn());
    EXPECT_NE(nullptr, game->GetBattleHUD());

    Send(OpenCloseShopMessage);
    EXPECT_EQ(GS_TechRace, game->GetState());
    EXPECT_FALSE(game->GetShipyard()->IsVisible());
    EXPECT_TRUE(World::GetInstance()->IsSimulationOn());
}

TEST_F(GameWiringTest, ThePlayerSinkingShowsTheEndScreenAndClearsTheBattle)
{
    Send(StartHardcoreModeMessage);
    ASSERT_NE(nullptr, game->GetPlayerShip());
    EXPECT_FALSE(game->GetEndScreen()->IsVisible());
    game->GetPlayerShip()->Destroy();
    DrawFrame();
    EXPECT_EQ(GS_EndScreen, game->GetState());
    EXPECT_TRUE(game->GetEndScreen()->IsVisible());
    EXPECT_EQ(12, game->GetEndScreen()->GetLayer());
    EXPECT_EQ(SoundManager::MM_Menu, game->GetSoundManager()->GetMusicMode());
    EXPECT_EQ(nullptr, game->GetBattleHUD());
    EXPECT_TRUE(game->GetEnemies().empty());
    // The HUD was still on its layer when destroyed, so the World's cleanup took it away.
    DrawFrame();
    EXPECT_EQ(0, CountOnLayer<BattleHUD>(9));

    Send(RestartMessage);
    EXPECT_EQ(GS_StartScreen, game->GetState());
    EXPECT_FALSE(game->GetEndScreen()->IsVisible());
}

TEST_F(GameWiringTest, TeardownDestroysAndForgetsTheSoundManager)
{
    SoundManager* sound = game->GetSoundManager();
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(sound, SoundManager::GetRunning());
    EXPECT_EQ(14, sound->GetLayer());
    game->Shutdown();
    EXPECT_EQ(GS_Shutdown, game->GetState());
    EXPECT_EQ(nullptr, game->GetSoundManager());
    EXPECT_EQ(nullptr, SoundManager::GetRunning());
    DrawFrame();
    EXPECT_EQ(0, CountOnLayer<SoundManager>(14));
}

TEST_F(GameWiringTest, AClickReleasedBeforeTheNextUpdateStillFiresABroadside)
{
    Send(StartHardcoreModeMessage);
    Ship* player = game->GetPlayerShip();
    ASSERT_NE(nullptr, player);
    player->MouseDownEvent(Vec2i(700, 300), MOUSE_RIGHT);
    player->MouseUpEvent(Vec2i(700, 300), MOUSE_RIGHT);
    EXPECT_FALSE(player->HasBroadsideRequest());
    player->Update(0.02f);
    EXPECT_EQ(4, CountOnLayer<CannonBall>(3));
    // Only once: the released button does not keep firing.
    player->Update(1.5f);
    EXPECT_EQ(4, CountOnLayer<CannonBall>(3));
}

TEST_F(GameWiringTest, ClicksOnTheShipyardDoNotFireButButtonsStillHeldWhenItClosesDo)
{
    Send(StartTechRaceMessage);
    ASSERT_EQ(GS_Shipyard, game->GetState());
    Ship* player = game->GetPlayerShip();
    ASSERT_NE(nullptr, player);
    for (MouseButtonInput button : {MOUSE_RIGHT, MOUSE_LEFT})
    {
        player->MouseDownEvent(Vec2i(700, 300), button);
        player->MouseUpEvent(Vec2i(700, 300), button);
    }
    Send(OpenCloseShopMessage);
    ASSERT_EQ(GS_TechRace, game->GetState());
    player->Update(0.02f);
    EXPECT_EQ(0, CountOnLayer<CannonBall>(3));
    EXPECT_GT(player->GetMiniCannonTimer(), 1.0f);

    // Back in the shipyard with both buttons pressed: still held as the battle resumes.
    game->SetState(GS_Shipyard);
    player->MouseDownEvent(Vec2i(700, 300), MOUSE_RIGHT);
    player->MouseDownEvent(Vec2i(700, 300), MOUSE_LEFT);
    Send(OpenCloseShopMessage);
    player->Update(0.02f);
    EXPECT_EQ(4, CountOnLayer<CannonBall>(3));
    EXPECT_LT(player->GetMiniCannonTimer(), 0.1f);
}

TEST_F(GameWiringTest, DamageThrowsSplintersAndASpentBallSplashes)
{
    Send(StartHardcoreModeMessage);
    Ship* player = game->GetPlayerShip();
    player->TakeDamage(9.0f, player->GetPosition());
    EXPECT_EQ(1, CountOnLayer<HitParticleActor>(5));

    CannonBall* ball = new CannonBall(0.5f, 0.1f, true, 2.0f, 3.0f, Vector2(20.0f, 20.0f), Vector2(25.0f, 0.0f));
    World::GetInstance()->Add(ball, 3);
    ball->Update(0.2f);
    EXPECT_TRUE(ball->IsDestroyed());
    EXPECT_EQ(1, CountOnLayer<SplashParticleActor>(4));
}

TEST_F(GameWiringTest, AnUnloadKeepsTheSeaAndTheBattle)
{
    Send(StartHardcoreModeMessage);
    World::GetInstance()->UnloadAll();
    EXPECT_EQ(BackgroundManager::TilesPerSide * BackgroundManager::TilesPerSide, CountOnLayer<BackgroundTile>(1));
    EXPECT_EQ(1, CountOnLayer<BattleHUD>(9));
    EXPECT_EQ(1, CountOnLayer<SoundManager>(14));
    EXPECT_EQ(1, CountOnLayer<Ship>(2) - static_cast<int>(game->GetEnemies().size()));
}

// A script may call World:ResetWorld() at any moment: play goes on, and what the reset deleted
// is forgotten by everything that pointed at it.
TEST_F(GameWiringTest, ResetsInEveryStateLeaveAPlayableGame)
{
    World* world = World::GetInstance();
    auto resetAndPlay = [&] {
        world->ResetWorld();
        PlayFrames(2);
    };
    resetAndPlay();
    Send(StartTechRaceMessage);
    ASSERT_EQ(GS_Shipyard, game->GetState());
    resetAndPlay();
    Send(OpenCloseShopMessage);
    ASSERT_EQ(GS_TechRace, game->GetState());
    // A second wave: the shipyard opens again over it, and closes.
    game->SpawnWave();
    Send(OpenCloseShopMessage);
    ASSERT_EQ(GS_TechRace, game->GetState());
    PlayFrames(2);
    resetAndPlay();
    EXPECT_FALSE(game->GetEnemies().empty());
    EXPECT_TRUE(IsInWorld(game->GetPlayerShip()));
    game->GetPlayerShip()->Destroy();
    PlayFrames(2);
    ASSERT_EQ(GS_EndScreen, game->GetState());
    resetAndPlay();
    Send(RestartMessage);
    EXPECT_EQ(GS_StartScreen, game->GetState());
    Send(StartHardcoreModeMessage);
    PlayFrames(2);
    ASSERT_EQ(GS_Hardcore, game->GetState());

    // In a battle the HUD keeps its enemy indicators (enough enemies that several stand beyond
    // the ring) on the World, and no sound effect follows the particles that the reset deleted.
    for (int wave = 0; wave < 5; ++wave)
        game->SpawnWave();
    BattleHUD* hud = game->GetBattleHUD();
    ASSERT_NE(nullptr, hud);
    hud->Update(0.0f);
    const std::vector<HUDActor*> icons = hud->GetIcons();
    ASSERT_FALSE(icons.empty());
    const Vector2 nearby = game->GetPlayerShip()->GetPosition() + Vector2(1.0f, 0.0f);
    const std::set<Actor*> particles = {new HitParticleActor(2.0f, 10.0f, Vector2(0.3f, 0.3f), nearby),
                                        new SplashParticleActor(nearby, Vector2(4.0f, 0.0f))};
    SoundManager* sound = game->GetSoundManager();
    ASSERT_NE(nullptr, sound);
    auto following = [&] {
        size_t count = 0;
        for (SoundEffect* effect : sound->GetPlayingEffects())
            count += particles.count(effect->GetSource());
        return count;
    };
    ASSERT_GT(following(), 0u) << "no effect started for the particles";
    world->ResetWorld();
    EXPECT_EQ(0u, following());
    PlayFrames(3);
    ASSERT_EQ(hud, game->GetBattleHUD());
    EXPECT_EQ(icons, hud->GetIcons()) << "the pool was rebuilt";
    for (size_t i = 0; i < icons.size(); ++i)
        EXPECT_TRUE(IsInWorld(icons[i]) && IsInWorld(hud->GetTexts()[i])) << "indicator " << i;
}

namespace
{
// The names of the actors on the World's layers, bottom layer first, as a Lua list.
int ActorNamesOnLayers(lua_State* state)
{
    lua_newtable(state);
    int index = 0;
    for (const auto& layer : World::GetInstance()->GetLayers())
        for (Renderable* renderable : layer.second)
            if (Actor* actor = dynamic_cast<Actor*>(renderable))
            {
                lua_pushstring(state, actor->GetName().c_str());
                lua_rawseti(state, -2, ++index);
            }
    return 1;
}
}

// A script destroys each named actor of the running game, with frames after each, on the
// start screen and in a battle: what the game holds is refused with an error that says so and
// the game goes on; ships sink as the game sinks them. A particle a script takes off the World
// is the script's, and once collected ends as the World ends one: its sound lets go of it.
TEST_F(GameWiringTest, ScriptsCantEndWhatTheGameHoldsAndEndWhatTheyDestroy)
{
    lua_State* state = LuaScriptingModule::GetLuaState();
    lua_register(state, "sweep_frame", [](lua_State*) { World::GetInstance()->RunFrame(); return 0; });
    lua_register(state, "sweep_actor_names", ActorNamesOnLayers);
    ASSERT_EQ(LUA_OK, luaL_dofile(state, ZARVO_SOURCE_DIR "/tests/game/destroy_sweep.lua")) << lua_tostring(state, -1);
    const String refusals = lua_tostring(state, -1);
    const String refused = ": Error in Renderable_Destroy (arg 1), the object belongs to the game, which still uses it";
    StartScreen* screen = game->GetStartScreen();
    for (const String& actor : {"start screen: " + screen->GetName(), "start screen: " + screen->GetHardcoreButton().GetName(),
                                "battle: " + game->GetBackground()->GetTile(0, 0)->GetName()})
        EXPECT_NE(String::npos, refusals.find(actor + refused)) << refusals;
    EXPECT_EQ(screen, Actor::GetNamed(screen->GetName()));
    EXPECT_EQ(GS_EndScreen, game->GetState());

    Send(RestartMessage);
    Send(StartHardcoreModeMessage);
    Actor* splash = new SplashParticleActor(game->GetPlayerShip()->GetPosition(), Vector2(4.0f, 0.0f));
    const std::vector<SoundEffect*>& effects = game->GetSoundManager()->GetPlayingEffects();
    auto following = [&] {
        return std::count_if(effects.begin(), effects.end(), [&](SoundEffect* e) { return e->GetSource() == splash; });
    };
    ASSERT_GT(following(), 0);
    // A script that takes the game's particle off its layer leaves it the game's; one that
    // destroys it ends the effects that follow it.
    const String named = "zarvo.Actor_GetNamed('" + splash->GetName() + "')";
    ASSERT_EQ(LUA_OK, luaL_dostring(state, ("w = zarvo.World_GetInstance() w:Remove(" + named + ") collectgarbage() "
                                            "w:Add(" + named + ", 4) " + named + ":Destroy()").c_str()));
    World::GetInstance()->Tick(true);
    EXPECT_EQ(0, following());
}
