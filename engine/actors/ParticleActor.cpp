#include "engine/actors/ParticleActor.h"

#include "engine/log/CompoundLog.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/SpriteBatch.h"

#include <GL/gl.h>

#include <cmath>
#include <new>

namespace
{
const float kDegreesToRadians = 0.01745329052209854f;
const float kRadiansToDegrees = 57.2957795f;
const float kNoPull = 1e-6f;

const float kSquareVertices[] = {-0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, -0.5f};
const float kSquareTexCoords[] = {0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f};

Color LerpColor(const Color& from, const Color& to, float t)
{
    return Color(from.R + (to.R - from.R) * t, from.G + (to.G - from.G) * t,
                 from.B + (to.B - from.B) * t, from.A + (to.A - from.A) * t, false);
}
}

ParticleActor::ParticleActor()
    : _pendingParticles(0.0f), _particles(0), _maxParticles(0), _alive(0), _particlesPerSecond(20.0f),
      _emissionCarry(0.0f), _systemLifetime(0.0f), _particleLifetime(2.0f), _spread(0.0f),
      _endColor(1.0f, 1.0f, 1.0f, 1.0f), _minSpeed(2.0f), _maxSpeed(4.0f), _endScale(1.0f),
      _gravity(0.0f, -4.0f), _attractor(0.0f, 0.0f), _attractorStrength(0.0f)
{
}

ParticleActor::~ParticleActor() { delete[] _particles; }

String ParticleActor::GetClassName() const { return "ParticleActor"; }

void ParticleActor::SetMaxParticles(int maxParticles)
{
    if (maxParticles == _maxParticles)
    {
        return;
    }
    if (maxParticles < 1)
    {
        maxParticles = 1;
    }
    // Asked of a script, a pool may be larger than memory: refused rather than thrown.
    Particle* particles = new (std::nothrow) Particle[maxParticles];
    if (particles == 0)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: A pool of %d particles doesn't fit in memory; the system keeps its %d.", maxParticles,
            _maxParticles);
        return;
    }
    delete[] _particles;
    _particles = particles;
    _maxParticles = maxParticles;
    for (int i = 0; i < maxParticles; ++i)
    {
        Particle& particle = _particles[i];
        particle.Position = Vector2(0.0f, 0.0f);
        particle.Velocity = Vector2(0.0f, 0.0f);
        particle.Age = -1.0f;
        particle.Lifetime = 0.0f;
        particle.Tint = Color(1.0f, 1.0f, 1.0f, 1.0f);
        particle.Rotation = 0.0f;
        particle.Scale = 1.0f;
    }
}

void ParticleActor::SetParticlesPerSecond(float particlesPerSecond)
{
    _particlesPerSecond = particlesPerSecond < 0.0f ? 0.0f : particlesPerSecond;
}

void ParticleActor::SetSystemLifetime(float lifetime) { _systemLifetime = lifetime < 0.0f ? 0.0f : lifetime; }

void ParticleActor::SetParticleLifetime(float lifetime)
{
    _particleLifetime = lifetime < 0.0f ? 0.0f : lifetime;
}

void ParticleActor::SetSpread(float radians) { _spread = radians; }

void ParticleActor::SetEndScale(float endScale) { _endScale = endScale; }

void ParticleActor::SetEndColor(const Color& endColor) { _endColor = endColor; }

void ParticleActor::SetMinSpeed(float minSpeed) { _minSpeed = minSpeed; }

void ParticleActor::SetMaxSpeed(float maxSpeed) { _maxSpeed = maxSpeed; }

void ParticleActor::SetSpeedRange(float minSpeed, float maxSpeed)
{
    _minSpeed = minSpeed;
    _maxSpeed = maxSpeed;
}

void ParticleActor::SetGravity(const Vector2& gravity) { _gravity = gravity; }

void ParticleActor::SetAttractor(const Vector2& attractor) { _attractor = attractor; }

void ParticleActor::SetAttractorStrength(float strength) { _attractorStrength = strength; }

void ParticleActor::Update(float dt)
{
    Actor::Update(dt);
    if (_particles == 0)
    {
        return;
    }
    AgeAndMove(dt);
    CountDownSystemLifetime(dt);
    if (_systemLifetime >= 0.0f)
    {
        Emit(dt);
    }
    else if (_alive == 0 && !IsDestroyed())
    {
        Destroy();
    }
}

void ParticleActor::AgeAndMove(float dt)
{
    _alive = 0;
    for (int i = 0; i < _maxParticles; ++i)
    {
        Particle& particle = _particles[i];
        // Every occupied slot ages, so a particle whose lifetime is 0 is freed here too.
        if (particle.Age < 0.0f)
        {
            continue;
        }
        particle.Age += dt;
        if (particle.Age >= particle.Lifetime)
        {
            particle.Age = -1.0f;
            continue;
        }
        MoveParticle(particle, dt);
        ++_alive;
    }
}

void ParticleActor::MoveParticle(Particle& particle, float dt)
{
    const float t = particle.Age / particle.Lifetime;
    particle.Position += particle.Velocity * dt;
    particle.Velocity += _gravity * dt;
    if (std::fabs(_attractorStrength) >= kNoPull)
    {
        particle.Velocity += Vector2::Normalize(_attractor - particle.Position) * _attractorStrength * dt;
    }
    particle.Tint = LerpColor(GetColor(), _endColor, t);
    particle.Scale = 1.0f + (_endScale - 1.0f) * t;
}

void ParticleActor::CountDownSystemLifetime(float dt)
{
    if (_systemLifetime <= 0.0f)
    {
        return;
    }
    _systemLifetime -= dt;
    if (_systemLifetime <= 0.0f)
    {
        _systemLifetime = -1.0f;
    }
}

void ParticleActor::Emit(float dt)
{
    const float total = _particlesPerSecond * dt + _emissionCarry + _pendingParticles;
    _pendingParticles = 0.0f;
    const float whole = std::floor(total);
    _emissionCarry = std::isfinite(total) ? total - whole : 0.0f;
    // No more than the pool can start: the rest would find no free slot. Compared as floats,
    // so a huge, infinite or NaN total never becomes an int.
    int toStart = 0;
    if (whole >= (float)_maxParticles)
    {
        toStart = _maxParticles;
    }
    else if (whole >= 1.0f)
    {
        toStart = (int)whole;
    }

    const float base = GetRotation() * kDegreesToRadians;
    for (int i = 0; i < _maxParticles && toStart > 0; ++i)
    {
        if (_particles[i].Age < 0.0f)
        {
            StartParticle(_particles[i], base);
            --toStart;
        }
    }
}

void ParticleActor::StartParticle(Particle& particle, float baseRadians)
{
    particle.Age = 0.0f;
    particle.Lifetime = _particleLifetime;
    particle.Position = GetPosition();
    particle.Scale = 1.0f;
    particle.Tint = GetColor();
    particle.Rotation = MathUtil::RandomFloatInRange(baseRadians - _spread, baseRadians + _spread);
    const float speed = MathUtil::RandomFloatInRange(_minSpeed, _maxSpeed);
    particle.Velocity = Vector2(std::cos(particle.Rotation) * speed, std::sin(particle.Rotation) * speed);
}

void ParticleActor::Render()
{
    if (_particles == 0)
    {
        return;
    }
    const int texture = GetSpriteTexture(GetSpriteFrame());
    // All live particles share the texture, so they go out in one draw.
    SpriteBatch& batch = SpriteBatch::Shared();
    batch.Flush();
    const Vector2 size = GetSize();
    for (int i = 0; i < _maxParticles; ++i)
    {
        const Particle& particle = _particles[i];
        if (particle.Age < 0.0f)
        {
            continue;
        }
        const SpritePlacement placement = {particle.Position, particle.Rotation * kRadiansToDegrees,
                                           Vector2(size.X * particle.Scale, size.Y * particle.Scale)};
        batch.AddSquare(texture, placement, kSquareTexCoords, particle.Tint);
    }
    batch.Flush();
    LeaveSquareArrays(texture);
}

// Drawn one by one, particles left the unit square's arrays enabled and the texture bound;
// later drawing finds the same.
void ParticleActor::LeaveSquareArrays(int texture)
{
    if (texture >= 0)
    {
        glBindTexture(GL_TEXTURE_2D, (GLuint)texture);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, kSquareVertices);
    glTexCoordPointer(2, GL_FLOAT, 0, kSquareTexCoords);
}
