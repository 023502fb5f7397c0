// Frame cost of a heavy battle at 1024x768: a hardcore battle at wave 30 (11 enemies), the
// whole sea of 7 x 7 tiles and its walls, and 100 cannon balls kept in flight with the
// splashes and splinters they throw. Run under a virtual X server with the silent sound
// output:
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_heavy_battle
// A frame is the main loop's work without the frame limiter's sleep: clear, tick, render and
// buffer swap, with the drawing finished before the clock stops. The player is healed every
// frame, and so are the enemies, so the battle stays as it is while it is measured.
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "game/CannonBall.h"
#include "game/GameConstants.h"
#include "game/Ship.h"
#include "game/SkarrowGameManager.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
const int kWarmUpFrames = 60;
const int kMeasuredFrames = 600;
const int kBallsInFlight = 100;
const int kBallLayer = 3;
const double kGoalMedianMilliseconds = 8.0;

int CountOnLayer(int layer)
{
    const RenderLayers& layers = World::GetInstance()->GetLayers();
    RenderLayers::const_iterator found = layers.find(layer);
    if (found == layers.end())
        return 0;
    int count = 0;
    for (Renderable* renderable : found->second)
        if (dynamic_cast<CannonBall*>(renderable) != 0 && !renderable->IsDestroyed())
            ++count;
    return count;
}

// Sinks every enemy of each wave until the wave with the given number has been spawned.
void AdvanceToWave(SkarrowGameManager* game, int wave)
{
    while (game->GetWave() <= wave)
    {
        std::vector<Ship*> enemies(game->GetEnemies().begin(), game->GetEnemies().end());
        // The last one to go brings the next wave.
        for (Ship* enemy : enemies)
            enemy->Destroy();
        World::GetInstance()->Tick(true);
    }
}

// The player's balls, fired from around it in all directions: they splash, or hit enemies
// and throw splinters.
void TopUpCannonBalls(SkarrowGameManager* game)
{
    Ship* player = game->GetPlayerShip();
    const Vector2 centre = player != 0 ? player->GetPosition() : Vector2(70.0f, 70.0f);
    static int fired = 0;
    for (int missing = kBallsInFlight - CountOnLayer(kBallLayer); missing > 0; --missing, ++fired)
    {
        const float angle = fired * 0.61803f * MathUtil::TwoPi;
        const Vector2 direction(std::cos(angle), std::sin(angle));
        CannonBall* ball = new CannonBall(0.15f, 1.5f, true, 2.0f, 1.0f, centre + direction * 8.0f,
                                          direction * 20.0f);
        World::GetInstance()->Add(ball, kBallLayer);
    }
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    size_t index = (size_t)std::ceil(share * values.size()) - 1;
    return values[std::min(index, values.size() - 1)];
}
}

int main()
{
    if (chdir(ZARVO_SOURCE_DIR) != 0)
        return 1;
    World* world = World::GetInstance();
    if (!world->Initialize("Zarvo Engine", false, false, false))
        return 1;
    SkarrowGameManager* game = SkarrowGameManager::GetInstance();
    world->SetGameManager(game);
    Message start(StartHardcoreModeMessage);
    game->ReceiveMessage(&start);
    AdvanceToWave(game, 30);
    std::printf("wave %d: %zu enemies\n", game->GetWave() - 1, game->GetEnemies().size());

    std::vector<double> frames;
    int lowestBalls = kBallsInFlight;
    for (int frame = 0; frame < kWarmUpFrames + kMeasuredFrames; ++frame)
    {
        Ship* player = game->GetPlayerShip();
        if (player == 0)
        {
            std::printf("the player sank during the run\n");
            return 1;
        }
        player->GetStats().GetHealth().Heal();
        for (Ship* enemy : game->GetEnemies())
            enemy->GetStats().GetHealth().Heal();
        TopUpCannonBalls(game);
        glfwPollEvents();

        const auto begin = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        world->Tick(true);
        world->Render();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glfwSwapBuffers(world->GetMainWindow());
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        if (frame >= kWarmUpFrames)
        {
            frames.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
            lowestBalls = std::min(lowestBalls, CountOnLayer(kBallLayer));
        }
    }
    std::printf("%d frames, %zu enemies at the end, at least %d cannon balls in flight after each tick\n",
                kMeasuredFrames, game->GetEnemies().size(), lowestBalls);
    const double median = Percentile(frames, 0.5);
    const double p99 = Percentile(frames, 0.99);
    std::printf("%-34s %8s %8s %8s\n", "heavy battle, 1024x768", "median", "p99", "goal");
    std::printf("%-34s %6.2fms %6.2fms %6.2fms (median) %s\n", "tick + render + swap", median, p99,
                kGoalMedianMilliseconds, median < kGoalMedianMilliseconds ? "met" : "NOT met");
    game->SetState(GS_Shutdown);
    world->Destroy();
    return 0;
}
