#include "game/sea/SplashParticleActor.h"

#include "engine/core/World.h"
#include "game/sound/SoundManager.h"

#include <cmath>

namespace
{
    const int SplashParticleLayer = 4;
    const float DropLifetime = 0.5f;
}

SplashParticleActor::SplashParticleActor(const Vector2& position, const Vector2& velocity)
{
    const float speed = velocity.Length();
    const int count = 2 * static_cast<int>(std::floor(std::sqrt(speed) + 0.5f));
    SetSize(Vector2(1.0f, 0.5f));
    SetPosition(position);
    SetSprite("Resources/Images/drop.png", 0, GL_CLAMP, GL_LINEAR);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetEndColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    SetEndScale(1.5f);
    SetAttractorStrength(speed * 0.25f);
    SetGravity(Vector2(0.0f, 0.0f));
    SetAttractor(position);
    SetMaxParticles(count);
    _pendingParticles += count;
    SetSpeedRange(speed / 2.0f, speed);
    SetSpread(6.2831855f);
    SetParticleLifetime(DropLifetime);
    SetSystemLifetime(DropLifetime);
    World::GetInstance()->Add(this, SplashParticleLayer);
    SoundManager::PlayEffect(EK_Splash, this, 1.0f);
}

void SplashParticleActor::PreDestroy()
{
    ParticleActor::PreDestroy();
    SoundManager::ForgetSource(this);
}
