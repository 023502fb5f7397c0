#include "game/ships/CannonBall.h"

#include "game/sea/SplashParticleActor.h"

#include <box2d/box2d.h>

#include <cmath>

namespace
{
const int CannonBallGroup = 1;
}

CannonBall::CannonBall(float radius, float flightTime, bool ownerIsPlayer, float density,
                       float damage, const Vector2& position, const Vector2& velocity)
    : _flightTime(flightTime), _damage(damage), _ownerIsPlayer(ownerIsPlayer)
{
    SetGroupIndex(CannonBallGroup);
    SetPosition(position);
    SetSize(Vector2(2.0f * radius, 2.0f * radius));
    SetSprite("Resources/Images/cannonball.png", 0, GL_CLAMP, GL_LINEAR);
    SetDensity(density);
    SetFriction(1.0f);
    SetRestitution(0.0f);
    SetShapeType(SHAPETYPE_CIRCLE);
    InitPhysics();
    if (GetBody() != 0)
    {
        GetBody()->SetFixedRotation(true);
        GetBody()->ResetMassData();
    }
    ApplyLinearImpulse(velocity, Vector2::Zero);
}

void CannonBall::Update(float dt)
{
    // A ball that hit a ship earlier in this tick neither flies on nor splashes.
    if (IsDestroyed())
        return;
    b2Body* body = GetBody();
    if (body != 0)
    {
        b2Vec2 velocity = body->GetLinearVelocity();
        if (velocity.x != 0.0f || velocity.y != 0.0f)
            body->ApplyLinearImpulseToCenter((1.0f - std::exp(dt)) * velocity, true);
    }
    _flightTime -= dt;
    if (_flightTime <= 0.0f)
        FallIntoWater();
}

void CannonBall::FallIntoWater()
{
    Vector2 velocity = Vector2::Zero;
    if (GetBody() != 0)
    {
        b2Vec2 current = GetBody()->GetLinearVelocity();
        velocity = Vector2(current.x, current.y);
    }
    // It adds itself to the World and plays the splash sound.
    new SplashParticleActor(GetPosition(), velocity);
    Destroy();
}
