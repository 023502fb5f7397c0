// A script may call World:ResetWorld() at any moment of the game: what the reset deletes
// must be forgotten by everything that pointed at it, and play must go on.
#include "engine/actors/HUDActor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "game/core/GameConstants.h"
#include "game/core/SkarrowGameManager.h"
#include "game/screens/BattleHUD.h"
#include "game/sea/SplashParticleActor.h"
#include "game/ships/HitParticleActor.h"
#include "game/ships/Ship.h"
#include "game/sound/SoundManager.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

namespace
{
class WorldResetTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        game = SkarrowGameManager::GetInstance();
        World::GetInstance()->SetGameManager(game);
    }

    void Send(const String& name)
    {
        Message message(name);
        game->ReceiveMessage(&message);
    }

    static bool IsInWorld(const Renderable* renderable)
    {
        const RenderLayers& layers = World::GetInstance()->GetLayers();
        for (const auto& layer : layers)
            if (std::find(layer.second.begin(), layer.second.end(), renderable) != layer.second.end())
                return true;
        return false;
    }

    // Ticks and draws, so every survivor is updated and drawn after the reset.
    void PlayFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            DrawFrame();
    }

    SkarrowGameManager* game = nullptr;
};
}

TEST_F(WorldResetTest, TheBattleHudKeepsItsIndicatorsThroughAReset)
{
    Send(StartHardcoreModeMessage);
    // Enough enemies that several stand beyond the ring and get an indicator.
    for (int wave = 0; wave < 5; ++wave)
        game->SpawnWave();
    BattleHUD* hud = game->GetBattleHUD();
    ASSERT_NE(nullptr, hud);
    hud->Update(0.0f);
    ASSERT_FALSE(hud->GetIcons().empty());
    const std::vector<HUDActor*> icons = hud->GetIcons();

    World::GetInstance()->ResetWorld();
    PlayFrames(3);

    ASSERT_EQ(hud, game->GetBattleHUD());
    EXPECT_EQ(icons, hud->GetIcons()) << "the pool was rebuilt";
    for (size_t i = 0; i < hud->GetIcons().size(); ++i)
    {
        EXPECT_TRUE(IsInWorld(hud->GetIcons()[i])) << "icon " << i;
        EXPECT_TRUE(IsInWorld(hud->GetTexts()[i])) << "text " << i;
    }
}

TEST_F(WorldResetTest, EffectsForgetTheParticlesThatAResetDeletes)
{
    Send(StartHardcoreModeMessage);
    const Vector2 nearby = game->GetPlayerShip()->GetPosition() + Vector2(1.0f, 0.0f);
    HitParticleActor* splinters = new HitParticleActor(2.0f, 10.0f, Vector2(0.3f, 0.3f), nearby);
    SplashParticleActor* drops = new SplashParticleActor(nearby, Vector2(4.0f, 0.0f));
    SoundManager* sound = game->GetSoundManager();
    ASSERT_NE(nullptr, sound);
    size_t following = 0;
    for (SoundEffect* effect : sound->GetPlayingEffects())
        following += (effect->GetSource() == splinters || effect->GetSource() == drops) ? 1 : 0;
    ASSERT_GT(following, 0u) << "no effect started for the particles";

    World::GetInstance()->ResetWorld();
    for (SoundEffect* effect : sound->GetPlayingEffects())
    {
        EXPECT_NE(static_cast<Actor*>(splinters), effect->GetSource());
        EXPECT_NE(static_cast<Actor*>(drops), effect->GetSource());
    }
    PlayFrames(3);
}

// Resets in every state a game passes through, with the battle fought on in between.
TEST_F(WorldResetTest, ResetsInEveryStateLeaveAPlayableGame)
{
    World* world = World::GetInstance();
    world->ResetWorld();
    PlayFrames(2);
    Send(StartTechRaceMessage);
    ASSERT_EQ(GS_Shipyard, game->GetState());
    world->ResetWorld();
    PlayFrames(2);
    Send(OpenCloseShopMessage);
    ASSERT_EQ(GS_TechRace, game->GetState());
    // A second wave: the shipyard opens again over it, and closes.
    game->SpawnWave();
    Send(OpenCloseShopMessage);
    ASSERT_EQ(GS_TechRace, game->GetState());
    PlayFrames(2);
    world->ResetWorld();
    PlayFrames(2);
    EXPECT_FALSE(game->GetEnemies().empty());
    EXPECT_TRUE(IsInWorld(game->GetPlayerShip()));

    game->GetPlayerShip()->Destroy();
    PlayFrames(2);
    ASSERT_EQ(GS_EndScreen, game->GetState());
    world->ResetWorld();
    PlayFrames(2);
    Send(RestartMessage);
    EXPECT_EQ(GS_StartScreen, game->GetState());
    Send(StartHardcoreModeMessage);
    PlayFrames(2);
    EXPECT_EQ(GS_Hardcore, game->GetState());
    EXPECT_TRUE(IsInWorld(game->GetBattleHUD()));
}
