// Particle systems: emission, bursts, the life of particles and of the system, and drawing.
#include "engine/actors/ParticleActor.h"
#include "engine/core/World.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// Bursts are how subclasses emit at once.
class BurstingParticles : public ParticleActor
{
public:
    void Burst(float count) { _pendingParticles += count; }
};

int CountStarted(const ParticleActor& system)
{
    int started = 0;
    for (int i = 0; i < system.GetMaxParticles(); ++i)
    {
        started += system.GetParticles()[i].Age == 0.0f ? 1 : 0;
    }
    return started;
}

int CountOccupied(const ParticleActor& system)
{
    int occupied = 0;
    for (int i = 0; i < system.GetMaxParticles(); ++i)
    {
        occupied += system.GetParticles()[i].Age >= 0.0f ? 1 : 0;
    }
    return occupied;
}
}

TEST(ParticleActor, RateCarriesItsFractionFromUpdateToUpdate)
{
    ParticleActor system;
    system.SetMaxParticles(100);
    system.SetParticlesPerSecond(30.0f);
    std::vector<int> started;
    for (int i = 0; i < 6; ++i)
    {
        system.Update(0.05f);
        started.push_back(CountStarted(system));
    }
    EXPECT_EQ((std::vector<int>{1, 2, 1, 2, 1, 2}), started);
}

// A pool of any size: one of 150,000 was refused and the system did nothing. A rate beyond an
// int had no count to start.
TEST(ParticleActor, PoolsOfAnySizeFillAtAnyRate)
{
    ParticleActor system;
    system.SetMaxParticles(150000);
    ASSERT_EQ(150000, system.GetMaxParticles());
    system.SetParticlesPerSecond(1e30f);
    system.Update(0.1f);
    EXPECT_EQ(150000, CountStarted(system));
}

TEST(ParticleActor, BurstStartsEverythingAtOnceAndOverflowIsLost)
{
    BurstingParticles system;
    system.SetMaxParticles(10);
    system.SetParticlesPerSecond(0.0f);
    system.Burst(10.0f);
    system.Update(0.01f);
    EXPECT_EQ(10, CountStarted(system));

    BurstingParticles small;
    small.SetMaxParticles(5);
    small.SetParticlesPerSecond(0.0f);
    small.Burst(8.0f);
    small.Update(0.01f);
    EXPECT_EQ(5, CountStarted(small));
    // The three that found no slot are not kept for later.
    small.SetParticleLifetime(10.0f);
    small.Update(0.01f);
    small.Update(0.01f);
    EXPECT_EQ(0, CountStarted(small));
}

TEST(ParticleActor, WithoutAPoolNothingHappens)
{
    ParticleActor system;
    system.SetSystemLifetime(0.1f);
    for (int i = 0; i < 10; ++i)
    {
        system.Update(0.1f);
    }
    EXPECT_EQ(nullptr, system.GetParticles());
    EXPECT_FALSE(system.IsDestroyed());
    EXPECT_FLOAT_EQ(0.1f, system.GetSystemLifetime());
}

TEST(ParticleActor, ExpiredSystemEndsAfterItsLastParticle)
{
    ParticleActor system;
    system.SetMaxParticles(50);
    system.SetParticlesPerSecond(20.0f);
    system.SetParticleLifetime(1.0f);
    system.SetSystemLifetime(0.5f);
    for (int i = 0; i < 3; ++i)
    {
        system.Update(0.125f);
    }
    const int emitted = CountOccupied(system);
    EXPECT_GT(emitted, 0);
    // The update that brings the lifetime to 0 emits no more.
    system.Update(0.125f);
    EXPECT_FLOAT_EQ(-1.0f, system.GetSystemLifetime());
    EXPECT_EQ(emitted, CountOccupied(system));
    EXPECT_FALSE(system.IsDestroyed());

    // Live particles finish their lives; the first update with none alive ends the system.
    int updates = 0;
    while (system.GetParticlesAlive() > 0 && updates++ < 100)
    {
        EXPECT_FALSE(system.IsDestroyed());
        system.Update(0.125f);
    }
    EXPECT_TRUE(system.IsDestroyed());
}

TEST(ParticleActor, ZeroParticleLifetimeFreesTheSlots)
{
    ParticleActor system;
    system.SetMaxParticles(5);
    system.SetParticlesPerSecond(100.0f);
    system.SetParticleLifetime(0.0f);
    system.SetSystemLifetime(0.375f);
    system.Update(0.125f);
    EXPECT_EQ(5, CountStarted(system));
    // The first five are freed, so five more find slots.
    system.Update(0.125f);
    EXPECT_EQ(5, CountStarted(system));
    // Expired, and nothing is left alive: the system ends.
    system.Update(0.125f);
    EXPECT_EQ(0, CountOccupied(system));
    EXPECT_TRUE(system.IsDestroyed());
}

TEST(ParticleActor, ColourAndScaleFollowEachParticlesAge)
{
    BurstingParticles system;
    system.SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    system.SetEndColor(Color(0.0f, 0.0f, 1.0f, 0.0f));
    system.SetEndScale(3.0f);
    system.SetMaxParticles(1);
    system.SetParticlesPerSecond(0.0f);
    system.SetParticleLifetime(2.0f);
    system.Burst(1.0f);
    system.Update(0.0f);
    const ParticleActor::Particle& particle = system.GetParticles()[0];
    EXPECT_EQ(Color(1.0f, 0.0f, 0.0f, 1.0f), particle.Tint);
    EXPECT_FLOAT_EQ(1.0f, particle.Scale);

    system.Update(1.0f);
    EXPECT_FLOAT_EQ(0.5f, particle.Tint.R);
    EXPECT_FLOAT_EQ(0.5f, particle.Tint.B);
    EXPECT_FLOAT_EQ(0.5f, particle.Tint.A);
    EXPECT_FLOAT_EQ(2.0f, particle.Scale);
    system.Update(0.5f);
    EXPECT_FLOAT_EQ(0.25f, particle.Tint.R);
    EXPECT_FLOAT_EQ(2.5f, particle.Scale);
    system.Update(0.5f);
    EXPECT_LT(particle.Age, 0.0f);
}

TEST(ParticleActor, ParticlesLeaveAlongTheActorsRotation)
{
    BurstingParticles system;
    system.SetPosition(3.0f, 4.0f);
    system.SetRotation(90.0f);
    system.SetSpread(0.0f);
    system.SetSpeedRange(2.0f, 4.0f);
    system.SetGravity(Vector2(0.0f, 0.0f));
    system.SetMaxParticles(20);
    system.SetParticlesPerSecond(0.0f);
    system.Burst(20.0f);
    system.Update(0.0f);
    for (int i = 0; i < 20; ++i)
    {
        const ParticleActor::Particle& particle = system.GetParticles()[i];
        EXPECT_EQ(Vector2(3.0f, 4.0f), particle.Position);
        EXPECT_NEAR(0.0f, particle.Velocity.X, 1e-5f);
        EXPECT_GE(particle.Velocity.Y, 2.0f - 1e-5f);
        EXPECT_LE(particle.Velocity.Y, 4.0f + 1e-5f);
    }
    // Moved with the velocity they had before this update's gravity.
    const float speed = system.GetParticles()[0].Velocity.Y;
    system.SetGravity(Vector2(0.0f, -10.0f));
    system.Update(0.5f);
    EXPECT_NEAR(4.0f + speed * 0.5f, system.GetParticles()[0].Position.Y, 1e-4f);
    EXPECT_NEAR(speed - 5.0f, system.GetParticles()[0].Velocity.Y, 1e-4f);
}

TEST(ParticleActor, AttractorPullsParticlesTowardsItsPoint)
{
    BurstingParticles system;
    system.SetGravity(Vector2(0.0f, 0.0f));
    system.SetSpeedRange(0.0f, 0.0f);
    system.SetAttractor(Vector2(10.0f, 0.0f));
    system.SetAttractorStrength(4.0f);
    system.SetMaxParticles(1);
    system.SetParticlesPerSecond(0.0f);
    system.Burst(1.0f);
    system.Update(0.0f);
    system.Update(0.5f);
    EXPECT_NEAR(2.0f, system.GetParticles()[0].Velocity.X, 1e-5f);
    EXPECT_NEAR(0.0f, system.GetParticles()[0].Velocity.Y, 1e-5f);
}

TEST(ParticleActorDrawing, DrawsEachLiveParticleInItsColourAndNotTheActor)
{
    World* world = World::GetInstance();
    ASSERT_TRUE(world->Initialize("Zarvo Engine", false, false, false));
    BurstingParticles* system = new BurstingParticles();
    system->SetSize(2.0f);
    system->SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    system->SetEndColor(Color(1.0f, 0.0f, 0.0f, 1.0f));
    system->SetSpeedRange(0.0f, 0.0f);
    system->SetGravity(Vector2(0.0f, 0.0f));
    system->SetMaxParticles(1);
    system->SetParticlesPerSecond(0.0f);
    system->SetParticleLifetime(100.0f);
    world->Add(system, 1);

    // Before any particle: the actor's own square is not drawn.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    world->Render();
    unsigned char centre[4] = {0, 0, 0, 0};
    int viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int cx = viewport[2] / 2;
    const int cy = viewport[3] / 2;
    glReadPixels(cx, cy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    EXPECT_EQ(255, centre[1]) << "background expected at the centre";

    system->Burst(1.0f);
    system->Update(0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    world->Render();
    glReadPixels(cx, cy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    EXPECT_EQ(255, centre[0]);
    EXPECT_EQ(0, centre[1]);
    EXPECT_EQ(0, centre[2]);
    // A 2-unit particle seen from 10 units with a 90 degree aperture spans a tenth of the height.
    const int halfSpan = viewport[3] / 20;
    unsigned char inside[4], outside[4];
    glReadPixels(cx + halfSpan - 3, cy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, inside);
    glReadPixels(cx + halfSpan + 3, cy, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, outside);
    EXPECT_EQ(0, inside[1]);
    EXPECT_EQ(255, outside[1]);
}
