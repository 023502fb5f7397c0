// The game manager's states, messages, waves, kills and rum, on the real World.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "game/screens/BattleHUD.h"
#include "game/core/GameConstants.h"
#include "game/ships/Ship.h"
#include "game/core/SkarrowGameManager.h"
#include "game/screens/StartScreen.h"
#include "support/WorldWindow.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <list>
#include <string>
#include <vector>

namespace
{
const char* const UnknownMessage = "SomethingElseEntirely";

class GameManagerStateTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        manager = SkarrowGameManager::GetInstance();
        World::GetInstance()->SetGameManager(manager);
    }

    // Delivered the way the game delivers it: broadcast, then handed out at the tick.
    void Send(const String& name)
    {
        Switchboard::GetInstance()->Broadcast(new Message(name));
        Switchboard::GetInstance()->SendAllMessages();
    }

    int CountOnLayer(int layer)
    {
        const RenderLayers& layers = World::GetInstance()->GetLayers();
        RenderLayers::const_iterator found = layers.find(layer);
        return found == layers.end() ? 0 : (int)found->second.size();
    }

    bool IsOnLayer(Renderable* renderable, int layer)
    {
        const RenderLayers& layers = World::GetInstance()->GetLayers();
        RenderLayers::const_iterator found = layers.find(layer);
        if (found == layers.end())
            return false;
        for (Renderable* r : found->second)
        {
            if (r == renderable)
                return true;
        }
        return false;
    }

    // Sinks the player's ship and lets the manager notice it: the end screen.
    void LoseTheBattle()
    {
        ASSERT_NE(nullptr, manager->GetPlayerShip());
        manager->GetPlayerShip()->Destroy();
        manager->Update(0.0f);
        ASSERT_EQ(GS_EndScreen, manager->GetState());
    }

    void ReachTechRaceBattle()
    {
        Send(StartTechRaceMessage);
        ASSERT_EQ(GS_Shipyard, manager->GetState());
        Send(OpenCloseShopMessage);
        ASSERT_EQ(GS_TechRace, manager->GetState());
    }

    // Sends each of the names and checks that none of them changes anything.
    void ExpectIgnored(const std::vector<String>& names)
    {
        GameState state = manager->GetState();
        Ship* player = manager->GetPlayerShip();
        std::list<Ship*> enemies = manager->GetEnemies();
        int wave = manager->GetWave();
        int kills = manager->GetKills();
        for (const String& name : names)
        {
            Send(name);
            EXPECT_EQ(state, manager->GetState()) << name;
            EXPECT_EQ(player, manager->GetPlayerShip()) << name;
            EXPECT_EQ(enemies, manager->GetEnemies()) << name;
            EXPECT_EQ(wave, manager->GetWave()) << name;
            EXPECT_EQ(kills, manager->GetKills()) << name;
        }
    }

    SkarrowGameManager* manager = nullptr;
};
}

TEST_F(GameManagerStateTest, StartsOnTheStartScreenCentredOnTheArena)
{
    EXPECT_EQ(GS_StartScreen, manager->GetState());
    EXPECT_TRUE(manager->GetStartScreen()->IsVisible());
    EXPECT_EQ(1, CountOnLayer(12));
    EXPECT_EQ(2, CountOnLayer(13));
    EXPECT_EQ(nullptr, manager->GetPlayerShip());
    EXPECT_TRUE(manager->GetEnemies().empty());
    EXPECT_EQ(0, manager->GetWave());
    EXPECT_EQ(0, manager->GetKills());
    EXPECT_FLOAT_EQ(0.0f, manager->GetPlayTime());
    EXPECT_FLOAT_EQ(70.0f, Camera::GetInstance()->GetPosition().X);
    EXPECT_FLOAT_EQ(70.0f, Camera::GetInstance()->GetPosition().Y);
    EXPECT_TRUE(World::GetInstance()->IsPhysicsSetUp());

    // Entering the state it is in already adds nothing a second time.
    manager->SetState(GS_StartScreen);
    EXPECT_EQ(1, CountOnLayer(12));
    EXPECT_EQ(2, CountOnLayer(13));
}

TEST_F(GameManagerStateTest, StartScreenIgnoresAllButTheModesAndStartsHardcore)
{
    ExpectIgnored({RestartMessage, OpenCloseShopMessage, UnknownMessage, CloseMessage});
    EXPECT_TRUE(manager->GetStartScreen()->IsVisible());

    Send(StartHardcoreModeMessage);
    EXPECT_EQ(GS_Hardcore, manager->GetState());
    EXPECT_FALSE(manager->GetStartScreen()->IsVisible());
    EXPECT_EQ(0, CountOnLayer(12));
    EXPECT_EQ(0, CountOnLayer(13));

    Ship* player = manager->GetPlayerShip();
    ASSERT_NE(nullptr, player);
    EXPECT_TRUE(player->IsPlayer());
    EXPECT_FLOAT_EQ(70.0f, player->GetPosition().X);
    EXPECT_FLOAT_EQ(70.0f, player->GetPosition().Y);
    EXPECT_EQ(player, Camera::GetInstance()->GetLockedActor());
    EXPECT_TRUE(IsOnLayer(player, 2));
    EXPECT_FLOAT_EQ(50.0f, player->GetRum());

    // The first wave: one enemy in the square up and right of the centre, facing it.
    EXPECT_EQ(1, manager->GetWave());
    EXPECT_EQ(0, manager->GetKills());
    ASSERT_EQ(1u, manager->GetEnemies().size());
    Ship* enemy = manager->GetEnemies().front();
    EXPECT_FALSE(enemy->IsPlayer());
    EXPECT_TRUE(IsOnLayer(enemy, 2));
    EXPECT_GE(enemy->GetPosition().X, 70.0f);
    EXPECT_LE(enemy->GetPosition().X, 116.2f);
    EXPECT_GE(enemy->GetPosition().Y, 70.0f);
    EXPECT_LE(enemy->GetPosition().Y, 116.2f);
    Vector2 toCentre = Vector2(70.0f, 70.0f) - enemy->GetPosition();
    if (toCentre.Length() > 0.01f)
    {
        Vector2 facing(std::cos(enemy->GetHeading()), std::sin(enemy->GetHeading()));
        EXPECT_NEAR(1.0f, Vector2::Dot(facing, Vector2::Normalize(toCentre)), 1e-3f);
    }
}

TEST_F(GameManagerStateTest, StartScreenStartsATechRaceWithTheShipyardOpen)
{
    Send(StartTechRaceMessage);
    EXPECT_EQ(GS_Shipyard, manager->GetState());
    EXPECT_FALSE(manager->GetStartScreen()->IsVisible());
    EXPECT_NE(nullptr, manager->GetPlayerShip());
    EXPECT_EQ(1, manager->GetWave());
    EXPECT_EQ(1u, manager->GetEnemies().size());
    EXPECT_FALSE(World::GetInstance()->IsSimulationOn());
    EXPECT_FALSE(World::GetInstance()->IsPhysicsRunning());
}

TEST_F(GameManagerStateTest, HardcoreBattleIgnoresEveryMessage)
{
    Send(StartHardcoreModeMessage);
    ASSERT_EQ(GS_Hardcore, manager->GetState());
    ExpectIgnored({StartHardcoreModeMessage, StartTechRaceMessage, RestartMessage,
                   OpenCloseShopMessage, UnknownMessage});
    EXPECT_TRUE(World::GetInstance()->IsSimulationOn());
}

TEST_F(GameManagerStateTest, ShipyardClosesOnlyOnOpenCloseShop)
{
    Send(StartTechRaceMessage);
    ASSERT_EQ(GS_Shipyard, manager->GetState());
    ExpectIgnored({StartHardcoreModeMessage, StartTechRaceMessage, RestartMessage, UnknownMessage});
    EXPECT_FALSE(World::GetInstance()->IsSimulationOn());

    Ship* player = manager->GetPlayerShip();
    Send(OpenCloseShopMessage);
    EXPECT_EQ(GS_TechRace, manager->GetState());
    EXPECT_TRUE(World::GetInstance()->IsSimulationOn());
    EXPECT_TRUE(World::GetInstance()->IsPhysicsRunning());
    // Closing the shipyard goes back to the same battle, not to a new one.
    EXPECT_EQ(player, manager->GetPlayerShip());
    EXPECT_EQ(1, manager->GetWave());
}

TEST_F(GameManagerStateTest, TechRaceBattleIgnoresEveryMessage)
{
    ReachTechRaceBattle();
    ExpectIgnored({StartHardcoreModeMessage, StartTechRaceMessage, RestartMessage,
                   OpenCloseShopMessage, UnknownMessage});
}

TEST_F(GameManagerStateTest, EndScreenRestartsOnlyOnRestart)
{
    Send(StartHardcoreModeMessage);
    LoseTheBattle();
    ExpectIgnored({StartHardcoreModeMessage, StartTechRaceMessage, OpenCloseShopMessage, UnknownMessage});
    EXPECT_FALSE(manager->GetStartScreen()->IsVisible());

    Send(RestartMessage);
    EXPECT_EQ(GS_StartScreen, manager->GetState());
    EXPECT_TRUE(manager->GetStartScreen()->IsVisible());
    EXPECT_EQ(1, CountOnLayer(12));
    EXPECT_EQ(2, CountOnLayer(13));

    // And a new battle starts from scratch.
    Send(StartHardcoreModeMessage);
    EXPECT_EQ(GS_Hardcore, manager->GetState());
    ASSERT_NE(nullptr, manager->GetPlayerShip());
    EXPECT_EQ(1, manager->GetWave());
    EXPECT_EQ(0, manager->GetKills());
    EXPECT_EQ(1u, manager->GetEnemies().size());
}

TEST_F(GameManagerStateTest, ShutdownIgnoresEveryMessage)
{
    Send(StartHardcoreModeMessage);
    manager->Shutdown();
    EXPECT_EQ(GS_Shutdown, manager->GetState());
    // Leaving the battle cleared the enemies away without counting them.
    EXPECT_TRUE(manager->GetEnemies().empty());
    EXPECT_EQ(0, manager->GetKills());
    ExpectIgnored({StartHardcoreModeMessage, StartTechRaceMessage, RestartMessage,
                   OpenCloseShopMessage, UnknownMessage});
}

TEST_F(GameManagerStateTest, LosingEndsTheBattleAndClearsTheEnemiesWithoutKills)
{
    Send(StartHardcoreModeMessage);
    manager->SpawnWave();
    ASSERT_EQ(2u, manager->GetEnemies().size());
    std::list<Ship*> enemies = manager->GetEnemies();
    Ship* player = manager->GetPlayerShip();
    player->TakeDamage(1000.0f, player->GetPosition());
    // The ship sinks in its own update, the manager notices in the next tick.
    DrawFrame();
    EXPECT_EQ(nullptr, manager->GetPlayerShip());
    EXPECT_EQ(nullptr, Camera::GetInstance()->GetLockedActor());
    EXPECT_EQ(GS_Hardcore, manager->GetState());
    DrawFrame();
    EXPECT_EQ(GS_EndScreen, manager->GetState());
    EXPECT_TRUE(manager->GetEnemies().empty());
    EXPECT_EQ(0, manager->GetKills());
    EXPECT_EQ(nullptr, manager->GetBattleHUD());
    // The World deletes the sunk ships and everything that followed them.
    DrawFrame();
    for (int layer : {2, 6, 7, 8})
        EXPECT_EQ(0, CountOnLayer(layer)) << "layer " << layer;
}

TEST_F(GameManagerStateTest, WavesGrowEveryThirdWaveAndEveryKillPaysRum)
{
    EXPECT_EQ(1, manager->GetWaveSize());
    Send(StartHardcoreModeMessage);
    Ship* player = manager->GetPlayerShip();
    const size_t expectedSizes[] = {1, 1, 1, 2, 2, 2, 3, 3};
    int kills = 0;
    for (size_t wave = 0; wave < sizeof(expectedSizes) / sizeof(expectedSizes[0]); ++wave)
    {
        ASSERT_EQ((int)wave + 1, manager->GetWave());
        ASSERT_EQ(expectedSizes[wave], manager->GetEnemies().size()) << "wave " << wave + 1;
        // Sink them in their own updates, as the battle does.
        for (Ship* enemy : manager->GetEnemies())
            enemy->TakeDamage(200.0f, enemy->GetPosition());
        DrawFrame();
        kills += (int)expectedSizes[wave];
        ASSERT_EQ(kills, manager->GetKills());
        EXPECT_FLOAT_EQ(50.0f + 25.0f * kills, player->GetRum());
        EXPECT_EQ(GS_Hardcore, manager->GetState());
    }
    // The ninth wave is out with three ships; the tenth will bring four.
    EXPECT_EQ(9, manager->GetWave());
    EXPECT_EQ(3u, manager->GetEnemies().size());
    EXPECT_EQ(4, manager->GetWaveSize());
}

TEST_F(GameManagerStateTest, EnemiesSpawnInTheSquareWhereNoTwoHullsCanTouch)
{
    Send(StartHardcoreModeMessage);
    Ship* player = manager->GetPlayerShip();
    ASSERT_NE(nullptr, player);
    // Seeded from the clock on first use; seeded by the test from here on.
    MathUtil::RandomInt(2);
    // Two Testship hulls reach 3.16 from their centres each; with the margin they keep 7.8 apart.
    const float apart = 7.8f;
    int withinMiniCannonReach = 0;
    // The start at the square's corner, its middle, its far corner, and clear outside it.
    const Vector2 playerPlaces[] = {Vector2(70.0f, 70.0f), Vector2(93.1f, 93.1f), Vector2(116.2f, 116.2f),
                                    Vector2(30.0f, 30.0f)};
    for (const Vector2& place : playerPlaces)
    {
        player->GetBody()->SetTransform(b2Vec2(place.X, place.Y), 0.0f);
        player->SyncFromBody(place.X, place.Y, 0.0f);
        for (unsigned int seed = 1; seed <= 150; ++seed)
        {
            srand(seed);
            // Sinking the last of the wave brings a wave of one; two more waves of one join it.
            manager->ResetCounters();
            const std::list<Ship*> sunk = manager->GetEnemies();
            for (Ship* enemy : sunk)
                enemy->Destroy();
            manager->SpawnWave();
            manager->SpawnWave();
            const std::vector<Ship*> wave(manager->GetEnemies().begin(), manager->GetEnemies().end());
            ASSERT_EQ(3u, wave.size());
            for (size_t i = 0; i < wave.size(); ++i)
            {
                const Vector2 position = wave[i]->GetPosition();
                const float toPlayer = Vector2::Distance(position, place);
                EXPECT_GE(toPlayer, apart) << "seed " << seed;
                withinMiniCannonReach += toPlayer < 18.0f ? 1 : 0;
                for (size_t j = 0; j < i; ++j)
                    EXPECT_GE(Vector2::Distance(position, wave[j]->GetPosition()), apart) << "seed " << seed;
                EXPECT_TRUE(position.X >= 70.0f && position.X <= 116.2f && position.Y >= 70.0f && position.Y <= 116.2f);
                // Facing the arena centre.
                const Vector2 toCentre = Vector2::Normalize(Vector2(70.0f, 70.0f) - position);
                EXPECT_NEAR(std::atan2(toCentre.Y, toCentre.X), wave[i]->GetHeading(), 1e-3f);
            }
        }
    }
    // Nearer than that is the game's own: enemies do appear within mini-cannon reach.
    EXPECT_GT(withinMiniCannonReach, 100);
}

TEST_F(GameManagerStateTest, SinkingTheLastEnemyInATechRaceOpensTheShipyardAgain)
{
    ReachTechRaceBattle();
    Ship* enemy = manager->GetEnemies().front();
    enemy->Destroy();
    EXPECT_EQ(1, manager->GetKills());
    EXPECT_EQ(2, manager->GetWave());
    EXPECT_EQ(1u, manager->GetEnemies().size());
    EXPECT_NE(enemy, manager->GetEnemies().front());
    EXPECT_EQ(GS_Shipyard, manager->GetState());
    EXPECT_FLOAT_EQ(75.0f, manager->GetPlayerShip()->GetRum());
}

TEST_F(GameManagerStateTest, PlayerAndLastEnemySinkingInOneTickEndTheGame)
{
    Send(StartHardcoreModeMessage);
    ASSERT_EQ(1u, manager->GetEnemies().size());
    Ship* player = manager->GetPlayerShip();
    Ship* enemy = manager->GetEnemies().front();
    player->TakeDamage(1000.0f, player->GetPosition());
    enemy->TakeDamage(1000.0f, enemy->GetPosition());
    DrawFrame();
    EXPECT_EQ(nullptr, manager->GetPlayerShip());
    EXPECT_TRUE(manager->GetEnemies().empty());
    EXPECT_EQ(1, manager->GetWave());
    EXPECT_EQ(1, manager->GetKills());
    DrawFrame();
    EXPECT_EQ(GS_EndScreen, manager->GetState());
    EXPECT_TRUE(manager->GetEnemies().empty());
    DrawFrame();
    EXPECT_EQ(0, CountOnLayer(2));
}

TEST_F(GameManagerStateTest, LastEnemySinkingBeforeASinkingPlayerBringsNoWaveAndNoRum)
{
    Send(StartHardcoreModeMessage);
    Ship* player = manager->GetPlayerShip();
    Ship* enemy = manager->GetEnemies().front();
    // The player is already going down when the enemy's sinking is handled first.
    player->TakeDamage(1000.0f, player->GetPosition());
    enemy->Destroy();
    EXPECT_TRUE(manager->GetEnemies().empty());
    EXPECT_EQ(1, manager->GetWave());
    EXPECT_EQ(1, manager->GetKills());
    EXPECT_FLOAT_EQ(50.0f, player->GetRum());
    DrawFrame();
    DrawFrame();
    EXPECT_EQ(GS_EndScreen, manager->GetState());
    EXPECT_TRUE(manager->GetEnemies().empty());
}

TEST_F(GameManagerStateTest, PlayTimeGrowsInEveryState)
{
    manager->Update(0.25f);
    EXPECT_FLOAT_EQ(0.25f, manager->GetPlayTime());
    Send(StartTechRaceMessage);
    manager->Update(0.25f);
    EXPECT_FLOAT_EQ(0.5f, manager->GetPlayTime());
    Send(OpenCloseShopMessage);
    manager->Update(0.25f);
    EXPECT_FLOAT_EQ(0.75f, manager->GetPlayTime());
    ASSERT_EQ(GS_TechRace, manager->GetState());
    LoseTheBattle();
    manager->Update(0.25f);
    EXPECT_FLOAT_EQ(1.0f, manager->GetPlayTime());
}

TEST_F(GameManagerStateTest, UnloadingTheWorldKeepsTheStartScreen)
{
    Actor* stranger = new Actor();
    World::GetInstance()->Add(stranger, 20);
    World::GetInstance()->UnloadAll();
    EXPECT_EQ(0, CountOnLayer(20));
    EXPECT_EQ(1, CountOnLayer(12));
    EXPECT_EQ(2, CountOnLayer(13));
    EXPECT_TRUE(IsOnLayer(manager->GetStartScreen(), 12));
    DrawFrame();

    // The screen still works: hidden and shown again by the game.
    Send(StartHardcoreModeMessage);
    EXPECT_EQ(GS_Hardcore, manager->GetState());
    EXPECT_EQ(0, CountOnLayer(12));
}

TEST_F(GameManagerStateTest, UnloadingTheWorldKeepsTheShipsOfABattle)
{
    Send(StartHardcoreModeMessage);
    manager->SpawnWave();
    Actor* stranger = new Actor();
    World::GetInstance()->Add(stranger, 2);
    ASSERT_EQ(4, CountOnLayer(2));
    World::GetInstance()->UnloadAll();
    Ship* player = manager->GetPlayerShip();
    ASSERT_NE(nullptr, player);
    EXPECT_TRUE(IsOnLayer(player, 2));
    EXPECT_EQ(3, CountOnLayer(2));
    for (Ship* enemy : manager->GetEnemies())
        EXPECT_TRUE(IsOnLayer(enemy, 2));
    // Cursors, life frames and life bars of all three ships.
    EXPECT_EQ(3, CountOnLayer(6));
    EXPECT_EQ(3, CountOnLayer(7));
    EXPECT_EQ(3, CountOnLayer(8));
    if (manager->GetBattleHUD() != nullptr)
    {
        EXPECT_TRUE(IsOnLayer(manager->GetBattleHUD(), 9));
    }

    // The battle goes on with the same ships.
    DrawFrame();
    DrawFrame();
    EXPECT_EQ(player, manager->GetPlayerShip());
    EXPECT_EQ(2u, manager->GetEnemies().size());
    EXPECT_EQ(GS_Hardcore, manager->GetState());
}
