#include "game/ships/HitParticleActor.h"

#include <gtest/gtest.h>

TEST(HitParticles, BurstGrowsWithTheRootOfTheDamage)
{
    EXPECT_EQ(0, HitParticleActor::ParticleCount(0.2f));
    EXPECT_EQ(2, HitParticleActor::ParticleCount(0.25f));
    EXPECT_EQ(6, HitParticleActor::ParticleCount(9.0f));
    EXPECT_EQ(20, HitParticleActor::ParticleCount(100.0f));
    EXPECT_EQ(0, HitParticleActor::ParticleCount(-4.0f));
}

TEST(HitParticles, HitSoundIsFullFromTenDamage)
{
    EXPECT_FLOAT_EQ(0.25f, HitParticleActor::HitVolume(2.5f));
    EXPECT_FLOAT_EQ(1.0f, HitParticleActor::HitVolume(10.0f));
    EXPECT_FLOAT_EQ(1.0f, HitParticleActor::HitVolume(100.0f));
}
