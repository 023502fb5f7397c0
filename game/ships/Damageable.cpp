#include "game/ships/Damageable.h"

#include <algorithm>

Damageable::Damageable(float maxHealth) : _health(maxHealth), _maxHealth(maxHealth)
{
}

Damageable::~Damageable()
{
}

void Damageable::AddHealth(float delta)
{
    _health += delta;
    if (_health > _maxHealth)
        _health = _maxHealth;
    if (_health < 0.0f)
        _health = 0.0f;
}

void Damageable::SetHealth(float health)
{
    if (health >= 0.0f && health <= _maxHealth)
        _health = health;
}

void Damageable::SetHealthFraction(float fraction)
{
    _health = _maxHealth * std::min(1.0f, std::max(0.0f, fraction));
}

void Damageable::Heal()
{
    if (_maxHealth >= 0.0f)
        _health = _maxHealth;
}
