#pragma once

#include "engine/actors/ParticleActor.h"

// Splinters thrown where a ship takes damage, more for harder hits; plays the hit sound.
class HitParticleActor : public ParticleActor
{
public:
    HitParticleActor(float lifetime, float damage, const Vector2& size, const Vector2& position);
    // Its sound stops following it.
    void PreDestroy() override;

    // 2 * round(sqrt(damage)): 6 for 9 damage, 20 for 100.
    static int ParticleCount(float damage);
    // Full volume from 10 damage up.
    static float HitVolume(float damage);
};
