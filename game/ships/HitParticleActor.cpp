#include "game/ships/HitParticleActor.h"

#include "engine/core/World.h"
#include "game/sound/SoundManager.h"

#include <algorithm>
#include <cmath>

namespace
{
    const int HitParticleLayer = 5;
}

int HitParticleActor::ParticleCount(float damage)
{
    return 2 * static_cast<int>(std::floor(std::sqrt(std::max(0.0f, damage)) + 0.5f));
}

float HitParticleActor::HitVolume(float damage)
{
    return std::min(damage / 10.0f, 1.0f);
}

HitParticleActor::HitParticleActor(float lifetime, float damage, const Vector2& size, const Vector2& position)
{
    const int count = ParticleCount(damage);
    const float life = std::max(0.0f, lifetime);
    SetSize(size);
    SetPosition(position);
    SetSprite("Resources/Images/splinter.png", 0, GL_CLAMP, GL_LINEAR);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetEndColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    SetEndScale(1.5f);
    SetAttractorStrength(count * 0.25f);
    SetGravity(Vector2(0.0f, 0.0f));
    SetAttractor(position);
    SetMaxParticles(count);
    SetSpeedRange(count / 2.0f, static_cast<float>(count));
    SetParticleLifetime(life);
    SetSystemLifetime(life);
    SetSpread(6.2831855f);
    _pendingParticles += count;
    World::GetInstance()->Add(this, HitParticleLayer);
    SoundManager::PlayEffect(EK_Hit, this, HitVolume(damage));
}

void HitParticleActor::PreDestroy()
{
    ParticleActor::PreDestroy();
    SoundManager::ForgetSource(this);
}
