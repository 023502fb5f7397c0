// Frame cost of a heavy battle at 1024x768: a hardcore battle at wave 30 (11 enemies), the
// whole sea of 7 x 7 tiles and its walls, and 100 cannon balls kept in flight with the
// splashes and splinters they throw. Run under a virtual X server with the silent sound
// output:
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_heavy_battle
// A frame is the main loop's work without the frame limiter's sleep: clear, tick, render and
// buffer swap, with the drawing finished before the clock stops. The player is healed every
// frame, and so are the enemies (none can sink), so the battle stays as it is while it is
// measured; the balls alive, enemies and particles are counted after each measured tick.
#include "engine/actors/ParticleActor.h"
#include "engine/core/World.h"
#include "engine/platform/Window.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "game/ships/CannonBall.h"
#include "game/core/GameConstants.h"
#include "game/ships/Ship.h"
#include "game/core/SkarrowGameManager.h"

#include <GL/gl.h>

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

const float kInnerRingRadius = 5.0f;
const float kUnsinkableHealth = 1.0e9f;

// Cannon balls still flying: on their layer and not destroyed.
int CountBalls()
{
    const RenderLayers& layers = World::GetInstance()->GetLayers();
    RenderLayers::const_iterator found = layers.find(kBallLayer);
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

// Balls of the enemies' broadsides, fired outwards from a ring around the player: a ball
// never meets the player's hull, and the enemies' hulls let their own side's balls pass, so
// each flies its whole flight time and ends in a splash. The balls are the ones the ships
// fire (the player's ball stats), so their flight and splashes are the game's own.
int TopUpCannonBalls(SkarrowGameManager* game)
{
    Ship* player = game->GetPlayerShip();
    const Vector2 centre = player != 0 ? player->GetPosition() : Vector2(70.0f, 70.0f);
    const ShipStats& stats = game->GetShipTemplate();
    static int fired = 0;
    int added = 0;
    for (int missing = kBallsInFlight - CountBalls(); missing > 0; --missing, ++fired, ++added)
    {
        const float angle = fired * 0.61803f * MathUtil::TwoPi;
        const Vector2 direction(std::cos(angle), std::sin(angle));
        const float distance = kInnerRingRadius + (fired % 5) * 1.0f;
        // The first volley ends over one flight time, so the balls do not all fall together
        // and come back as one volley every flight time.
        float flightTime = stats.GetBallFlightTime();
        if (fired < kBallsInFlight)
            flightTime *= (fired + 1) / (float)kBallsInFlight;
        CannonBall* ball = new CannonBall(stats.GetBallRadius(), flightTime, false,
                                          stats.GetBallDensity(), stats.GetBallDamage(),
                                          centre + direction * distance,
                                          direction * stats.GetBallImpulse());
        World::GetInstance()->Add(ball, kBallLayer);
    }
    return added;
}

// Particle systems and their live particles, on every layer.
void CountParticles(int& systems, int& particles)
{
    systems = 0;
    particles = 0;
    for (const auto& layer : World::GetInstance()->GetLayers())
        for (Renderable* renderable : layer.second)
        {
            ParticleActor* particleActor = dynamic_cast<ParticleActor*>(renderable);
            if (particleActor == 0 || particleActor->IsDestroyed())
                continue;
            ++systems;
            particles += particleActor->GetParticlesAlive();
        }
}

// No ship may sink while the frames are measured: a ship that sinks between two heals (the
// player under several hits in one tick) would change the battle.
void MakeUnsinkable(Ship* ship)
{
    ship->GetStats().GetHealth().SetMaxHealth(kUnsinkableHealth);
    ship->GetStats().GetHealth().Heal();
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
    const size_t enemiesAtStart = game->GetEnemies().size();
    const int killsAtStart = game->GetKills();
    std::printf("wave %d: %zu enemies\n", game->GetWave() - 1, enemiesAtStart);
    MakeUnsinkable(game->GetPlayerShip());
    for (Ship* enemy : game->GetEnemies())
        MakeUnsinkable(enemy);

    std::vector<double> frames;
    int lowestBalls = kBallsInFlight;
    size_t lowestEnemies = enemiesAtStart;
    double ballSum = 0.0, enemySum = 0.0, systemSum = 0.0, particleSum = 0.0, firedSum = 0.0;
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
        const int fired = TopUpCannonBalls(game);
        Window::PollEvents();

        const auto begin = std::chrono::steady_clock::now();
        world->RunFrame();
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        if (frame >= kWarmUpFrames)
        {
            frames.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
            // What the frame drew: the state after its tick.
            const int balls = CountBalls();
            int systems = 0;
            int particles = 0;
            CountParticles(systems, particles);
            lowestBalls = std::min(lowestBalls, balls);
            lowestEnemies = std::min(lowestEnemies, game->GetEnemies().size());
            ballSum += balls;
            enemySum += game->GetEnemies().size();
            systemSum += systems;
            particleSum += particles;
            firedSum += fired;
        }
    }
    const double measured = (double)frames.size();
    std::printf("%d frames drawn with on average %.1f cannon balls in flight (at least %d), %.1f "
                "enemies (at least %zu), %.1f particle systems with %.1f live particles; %.2f balls "
                "fired per frame, %d enemies sunk\n",
                kMeasuredFrames, ballSum / measured, lowestBalls, enemySum / measured, lowestEnemies,
                systemSum / measured, particleSum / measured, firedSum / measured,
                game->GetKills() - killsAtStart);
    const double median = Percentile(frames, 0.5);
    const double p99 = Percentile(frames, 0.99);
    std::printf("%-34s %8s %8s %8s\n", "heavy battle, 1024x768", "median", "p99", "goal");
    std::printf("%-34s %6.2fms %6.2fms %6.2fms (median) %s\n", "tick + render + swap", median, p99,
                kGoalMedianMilliseconds, median < kGoalMedianMilliseconds ? "met" : "NOT met");
    game->SetState(GS_Shutdown);
    world->Destroy();
    return 0;
}
