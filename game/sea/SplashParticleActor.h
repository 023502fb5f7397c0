#pragma once

#include "engine/actors/ParticleActor.h"

// Water drops thrown where a cannon ball falls into the sea, more for faster balls; plays
// the splash sound.
class SplashParticleActor : public ParticleActor
{
public:
    SplashParticleActor(const Vector2& position, const Vector2& velocity);
    // Its sound stops following it.
    void PreDestroy() override;
};
