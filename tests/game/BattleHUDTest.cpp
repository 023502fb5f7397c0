#include "engine/actors/HUDActor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/rendering/Camera.h"
#include "game/screens/BattleHUD.h"
#include "game/core/GameConstants.h"
#include "game/screens/IndicatorLayout.h"
#include "game/ships/Ship.h"
#include "game/core/SkarrowGameManager.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace
{
    // The battle HUD of a running hardcore battle.
    class BattleHUDTest : public WorldWindow
    {
    protected:
        void SetUp() override
        {
            ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
            WorldWindow::SetUp();
            game = SkarrowGameManager::GetInstance();
            World::GetInstance()->SetGameManager(game);
            Message start(StartHardcoreModeMessage);
            game->ReceiveMessage(&start);
            hud = game->GetBattleHUD();
            ASSERT_NE(nullptr, hud);
        }

        // Enemies the HUD should point at, by the same layout.
        int EnemiesToShow() const
        {
            Camera* camera = Camera::GetInstance();
            const IndicatorLayout layout(camera->GetWindowWidth(), camera->GetWindowHeight(),
                                         MathUtil::GetWorldDimensions().X);
            int count = 0;
            for (const Ship* enemy : game->GetEnemies())
                if (layout.ShowsIndicator((enemy->GetPosition() - game->GetPlayerShip()->GetPosition()).Length()))
                    ++count;
            return count;
        }

        int VisibleIndicators() const
        {
            int visible = 0;
            for (size_t i = 0; i < hud->GetIcons().size(); ++i)
            {
                const float icon = hud->GetIcons()[i]->GetAlpha();
                EXPECT_EQ(icon, hud->GetTexts()[i]->GetAlpha()) << "icon and text differ at " << i;
                if (icon > 0.0f)
                    ++visible;
            }
            return visible;
        }

        // The indicator texts draw in the console's font: compares the grey pixels near a
        // shown text's anchor with the text drawn and hidden.
        void ExpectDistanceTextDrawn()
        {
            TextActor* shown = nullptr;
            for (TextActor* text : hud->GetTexts())
                if (text->GetAlpha() > 0.0f && !text->GetDisplayString().empty())
                    shown = text;
            ASSERT_NE(nullptr, shown) << "no indicator is showing";
            const Vector2 anchor = MathUtil::WorldToScreen(shown->GetPosition());
            const int x = static_cast<int>(anchor.X), y = static_cast<int>(anchor.Y);
            auto greyNearText = [&]() {
                RenderFrame();
                return CountPixels(std::max(0, x - 80), std::max(0, y - 40), std::min(Width, x + 80),
                                   std::min(Height, y + 40), 128, 128, 128, 24);
            };
            const int withText = greyNearText();
            const float alpha = shown->GetAlpha();
            shown->SetAlpha(0.0f);
            const int withoutText = greyNearText();
            shown->SetAlpha(alpha);
            EXPECT_GT(withText - withoutText, 20) << "at " << x << ", " << y;
        }

        SkarrowGameManager* game = nullptr;
        BattleHUD* hud = nullptr;
    };
}

TEST_F(BattleHUDTest, ThePoolGrowsWithTheEnemiesAndHidesWhatIsNotNeeded)
{
    EXPECT_TRUE(hud->GetIcons().empty());
    // Several waves at once: 1 + 1 + 1 + 2 + 2 + 2 + 3 enemies.
    for (int wave = 0; wave < 6; ++wave)
        game->SpawnWave();
    ASSERT_EQ(12u, game->GetEnemies().size());
    hud->Update(0.0f);
    const size_t pool = hud->GetIcons().size();
    EXPECT_EQ(pool, hud->GetTexts().size());
    EXPECT_GE(pool, static_cast<size_t>(EnemiesToShow()));
    EXPECT_LE(pool, game->GetEnemies().size());
    EXPECT_EQ(EnemiesToShow(), VisibleIndicators());
    for (size_t i = 0; i < pool; ++i)
    {
        const bool shown = hud->GetIcons()[i]->GetAlpha() > 0.0f;
        EXPECT_TRUE(!shown || !hud->GetTexts()[i]->GetDisplayString().empty()) << i;
    }
    ExpectDistanceTextDrawn();

    // All but one enemy sink: the pool keeps its pairs, hidden, and shows at most one.
    std::vector<Ship*> enemies(game->GetEnemies().begin(), game->GetEnemies().end());
    for (size_t i = 1; i < enemies.size(); ++i)
        enemies[i]->Destroy();
    ASSERT_EQ(1u, game->GetEnemies().size());
    std::vector<HUDActor*> icons = hud->GetIcons();
    hud->Update(0.0f);
    EXPECT_EQ(icons, hud->GetIcons()) << "the pool was rebuilt";
    EXPECT_EQ(EnemiesToShow(), VisibleIndicators());
    EXPECT_LE(VisibleIndicators(), 1);
    for (size_t i = 1; i < icons.size(); ++i)
        EXPECT_EQ(0.0f, icons[i]->GetAlpha()) << i;
    for (HUDActor* icon : icons)
        EXPECT_FALSE(icon->IsDestroyed());

}

