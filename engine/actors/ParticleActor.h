#pragma once

#include "engine/actors/Actor.h"
#include "engine/math/Color.h"
#include "engine/math/Vector2.h"

// An actor that emits, moves and draws a fixed pool of small sprites from its position:
// a steady rate and/or bursts, launched within a spread around the actor's rotation, pulled
// by gravity and an optional attractor, fading to an end colour and growing to an end scale.
// A system with a lifetime destroys itself once it has expired and its last particle died.
class ParticleActor : public Actor
{
public:
    ParticleActor();
    virtual ~ParticleActor();

    void Update(float dt) override;
    void Render() override;
    String GetClassName() const override;

    // Replaces the pool (its particles vanish); values below 1 become 1. A pool that can't be
    // allocated is refused with a "WARNING: " line and the current one kept.
    void SetMaxParticles(int maxParticles);
    // Negative values become 0.
    void SetParticlesPerSecond(float particlesPerSecond);
    // Seconds the system emits; 0 emits forever. Negative values become 0.
    void SetSystemLifetime(float lifetime);
    // Seconds each new particle lives. Negative values become 0.
    void SetParticleLifetime(float lifetime);
    // Radians on each side of the actor's rotation.
    void SetSpread(float radians);
    void SetEndScale(float endScale);
    void SetEndColor(const Color& endColor);
    void SetMinSpeed(float minSpeed);
    void SetMaxSpeed(float maxSpeed);
    void SetSpeedRange(float minSpeed, float maxSpeed);
    void SetGravity(const Vector2& gravity);
    void SetAttractor(const Vector2& attractor);
    // Below 1e-6 in magnitude nothing is pulled.
    void SetAttractorStrength(float strength);

    int GetMaxParticles() const { return _maxParticles; }
    // Live particles as counted by the last update.
    int GetParticlesAlive() const { return _alive; }
    float GetSystemLifetime() const { return _systemLifetime; }

    struct Particle
    {
        Vector2 Position;
        Vector2 Velocity;
        // Below 0 the slot is free.
        float Age;
        float Lifetime;
        Color Tint;
        // The direction it was launched in, radians.
        float Rotation;
        float Scale;
    };
    // The pool, for inspection; null until SetMaxParticles.
    const Particle* GetParticles() const { return _particles; }

protected:
    // Particles to start in the next update on top of the rate: a burst.
    float _pendingParticles;

private:
    ParticleActor(const ParticleActor&);
    ParticleActor& operator=(const ParticleActor&);

    void AgeAndMove(float dt);
    void MoveParticle(Particle& particle, float dt);
    void CountDownSystemLifetime(float dt);
    void Emit(float dt);
    void StartParticle(Particle& particle, float baseRadians);
    void LeaveSquareArrays(int texture);

    Particle* _particles;
    int _maxParticles;
    int _alive;
    float _particlesPerSecond;
    float _emissionCarry;
    float _systemLifetime;
    float _particleLifetime;
    float _spread;
    Color _endColor;
    float _minSpeed;
    float _maxSpeed;
    float _endScale;
    Vector2 _gravity;
    Vector2 _attractor;
    float _attractorStrength;
};
