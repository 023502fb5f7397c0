#pragma once

// A health record that never leaves the range 0 .. max health.
class Damageable
{
public:
    explicit Damageable(float maxHealth);
    virtual ~Damageable();

    // Adds (or, when negative, takes) health, clamped into 0 .. max health.
    void AddHealth(float delta);
    // Ignores values outside 0 .. max health.
    void SetHealth(float health);
    void SetHealthFraction(float fraction);
    void SetMaxHealth(float maxHealth) { _maxHealth = maxHealth; }
    void Heal();

    float GetHealth() const { return _health; }
    float GetMaxHealth() const { return _maxHealth; }
    float GetHealthFraction() const { return _health / _maxHealth; }
    float GetMissingHealth() const { return _maxHealth - _health; }
    bool IsDead() const { return _health <= 0.0f; }

private:
    float _health;
    float _maxHealth;
};
