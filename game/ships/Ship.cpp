#include "game/ships/Ship.h"

#include "engine/actors/Actor.h"
#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/input/InputManager.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/Camera.h"
#include "game/core/GameConstants.h"
#include "game/ships/CannonBall.h"
#include "game/ships/EnemyBehaviour.h"
#include "game/ships/HitParticleActor.h"
#include "game/ships/ShipHandling.h"
#include "game/core/SkarrowGameManager.h"
#include "game/sound/SoundManager.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace
{
const int LifeFrameLayer = 6;
const int LifeBarLayer = 7;
const int CursorLayer = 8;
const int CannonBallLayer = 3;
const float PlayerCursorSize = 2.0f;
const float EnemyCursorSize = 0.75f;
const float LifeBarHeight = 0.5f;
const float StartingRum = 50.0f;
const float RumPerKill = 25.0f;
const float HitLifetime = 1.0f;
const Vector2 HitSplinterSize(0.5f, 0.5f);
// Impulses per second of the steering, per unit of speed setting and of turn command.
const float SteeringImpulseScale = 100.0f;

b2Vec2 ToB2(const Vector2& v)
{
    return b2Vec2(v.X, v.Y);
}

Actor* MakeAttachedActor(const String& sprite, const Vector2& size, const Vector2& position, int layer)
{
    Actor* actor = new Actor();
    actor->SetSize(size);
    actor->SetSprite(sprite, 0, GL_CLAMP, GL_LINEAR);
    actor->SetPosition(position);
    // The ship moves it every update and destroys it with itself.
    actor->SetHolder(GameHolder);
    World::GetInstance()->Add(actor, layer);
    return actor;
}
}

Ship::Ship(ShipStats stats, float heading, bool isPlayer, const Vector2& position)
    : _stats(stats), _speedSetting(0.0f), _turnInput(0.0f), _isPlayer(isPlayer),
      _broadsideTimer(1.0f), _broadsideRequest(false), _broadsidePressed(false),
      _miniCannonTimer(1.0f), _miniCannonRequest(false), _miniCannonPressed(false), _cursor(0), _pointerPosition(0, 0), _aimTarget(0.0f, 0.0f),
      _pointerOffset(0, 0), _lifeFrame(0), _lifeBar(0),
      _wanderAngle(MathUtil::RandomFloatInRange(0.0f, MathUtil::TwoPi)), _rum(StartingRum)
{
    _stats.SetOwner(this);
    SetPosition(position);
    SetRotation(MathUtil::ToDegrees(heading));
    SetSize(_stats.GetSize());
    SetSprite(_stats.GetSpriteFile(), 0, GL_CLAMP, GL_LINEAR);
    BuildAttachedActors();
    BuildBody();
}

Ship::~Ship()
{
}

void Ship::BuildAttachedActors()
{
    float cursorSize = _isPlayer ? PlayerCursorSize : EnemyCursorSize;
    _cursor = MakeAttachedActor("Resources/Images/cursor.png", Vector2(cursorSize, cursorSize),
                                GetPosition(), CursorLayer);
    Vector2 barSize(GetSize().X, LifeBarHeight);
    _lifeFrame = MakeAttachedActor("Resources/Images/lifeframe.png", barSize, GetPosition(), LifeFrameLayer);
    _lifeBar = MakeAttachedActor("Resources/Images/life.png", barSize, GetPosition(), LifeBarLayer);
}

void Ship::BuildBody()
{
    SetGroupIndex(0);
    SetDensity(_stats.GetDensity());
    SetFriction(0.8f);
    SetRestitution(0.2f);
    SetShapeType(PhysicsActor::SHAPETYPE_POLYGON);
    SetPolygonVertices(_stats.GetScaledHull());
    InitPhysics();
}

bool Ship::IsPartOf(const Renderable* renderable) const
{
    return renderable == this || renderable == _cursor || renderable == _lifeFrame ||
           renderable == _lifeBar;
}

bool Ship::IsSinking() const
{
    return IsDestroyed() || _stats.GetHealth().IsDead();
}

const b2Body* Ship::Body() const
{
    return const_cast<Ship*>(this)->GetBody();
}

float Ship::GetHeading() const
{
    const b2Body* body = Body();
    if (body == 0)
        return MathUtil::ToRadians(GetRotation());
    const b2Rot& rotation = body->GetTransform().q;
    return std::atan2(rotation.s, rotation.c);
}

Vector2 Ship::GetForwardVelocity() const
{
    float heading = GetHeading();
    return Vector2(std::cos(heading), std::sin(heading)) * _speedSetting;
}

Vector2 Ship::GetBroadsideVelocity() const
{
    float portSide = GetHeading() + MathUtil::PiOver2;
    return Vector2(std::cos(portSide), std::sin(portSide)) * _stats.GetBallImpulse();
}

Vector2 Ship::GetPortVelocity() const
{
    return GetBroadsideVelocity() + GetForwardVelocity();
}

Vector2 Ship::GetStarboardVelocity() const
{
    return GetForwardVelocity() - GetBroadsideVelocity();
}

ShipSnapshot Ship::TakeSnapshot() const
{
    ShipSnapshot snapshot;
    snapshot.position = GetPosition();
    snapshot.heading = GetHeading();
    snapshot.size = GetSize();
    snapshot.speedSetting = _speedSetting;
    snapshot.maxSpeed = _stats.GetMaxSpeed();
    snapshot.aimTarget = _aimTarget;
    snapshot.broadsideTimer = _broadsideTimer;
    snapshot.broadsideReload = _stats.GetBroadsideReload();
    snapshot.ballImpulse = _stats.GetBallImpulse();
    snapshot.ballDensity = _stats.GetBallDensity();
    snapshot.ballRadius = _stats.GetBallRadius();
    snapshot.ballFlightTime = _stats.GetBallFlightTime();
    snapshot.miniCannonTimer = _miniCannonTimer;
    snapshot.miniCannonReload = _stats.GetMiniCannonReload();
    snapshot.miniCannonPorts = _stats.GetMiniCannonPorts();
    snapshot.miniCannonRange = _stats.GetMiniCannonRange();
    snapshot.hull = _stats.GetHullPolygon();
    return snapshot;
}

Vec2i Ship::ClampMouseToWindow(Vec2i pointerPosition)
{
    Vec2i clamped(pointerPosition.X + _pointerOffset.X, pointerPosition.Y + _pointerOffset.Y);
    int width = Camera::GetInstance()->GetWindowWidth();
    int height = Camera::GetInstance()->GetWindowHeight();
    if (clamped.X < 0)
    {
        _pointerOffset.X -= clamped.X;
        clamped.X = 0;
    }
    if (clamped.X >= width)
    {
        _pointerOffset.X += width - clamped.X;
        clamped.X = width;
    }
    if (clamped.Y < 0)
    {
        _pointerOffset.Y -= clamped.Y;
        clamped.Y = 0;
    }
    if (clamped.Y >= height)
    {
        _pointerOffset.Y += height - clamped.Y;
        clamped.Y = height;
    }
    return clamped;
}

void Ship::Update(float dt)
{
    if (IsDestroyed())
        return;
    Steer(dt);
    UpdateWeapons(dt);
    ApplyWaterDrag(dt);
    Actor::Update(dt);
    if (_isPlayer)
        AimAtPointer();
    FollowWithAttachedActors();
    if (_stats.GetHealth().IsDead())
        Destroy();
}

void Ship::AimAtPointer()
{
    _aimTarget = MathUtil::ScreenToWorld(ClampMouseToWindow(_pointerPosition));
}

void Ship::FollowWithAttachedActors()
{
    _cursor->SetPosition(_aimTarget);
    const Vector2& position = GetPosition();
    float length = GetSize().X;
    float barY = position.Y - length * 0.5f - 1.0f;
    _lifeFrame->SetPosition(position.X, barY);
    _lifeFrame->SetSize(Vector2(length, LifeBarHeight));
    // Left-aligned in its frame: the bar shrinks from the right.
    float fraction = _stats.GetHealth().GetHealthFraction();
    _lifeBar->SetPosition(position.X - length * 0.5f * (1.0f - fraction), barY);
    _lifeBar->SetSize(Vector2(fraction * length, LifeBarHeight));
}

void Ship::ReadSteeringKeys(float& turn, float& throttle)
{
    // The open console takes the keyboard: a line typed into it must not steer the ship.
    Console* console = World::GetInstance()->GetConsole();
    if (console != 0 && console->IsOpen())
        return;
    if (InputManager::IsKeyDown('w'))
        throttle = 1.0f;
    if (InputManager::IsKeyDown('s'))
        throttle -= 1.0f;
    if (InputManager::IsKeyDown('a'))
        turn = 1.0f;
    if (InputManager::IsKeyDown('d'))
        turn -= 1.0f;
}

void Ship::SteerAsEnemy(float dt, float& turn, float& throttle)
{
    SkarrowGameManager* manager = SkarrowGameManager::GetInstance();
    EnemySurroundings surroundings;
    ShipSnapshot player;
    if (manager->GetPlayerShip() != 0)
    {
        player = manager->GetPlayerShip()->TakeSnapshot();
        surroundings.player = &player;
    }
    for (Ship* other : manager->GetEnemies())
    {
        if (other != this)
            surroundings.otherEnemies.push_back(other->TakeSnapshot());
    }
    SteeringCommand command = ComputeEnemySteering(_wanderAngle, TakeSnapshot(), surroundings, dt);
    turn = command.turn;
    throttle = command.throttle;
}

void Ship::Steer(float dt)
{
    float throttle = 0.0f;
    float turn = 0.0f;
    if (_isPlayer)
        ReadSteeringKeys(turn, throttle);
    else
        SteerAsEnemy(dt, turn, throttle);

    float maxSpeed = _stats.GetMaxSpeed();
    _speedSetting = NextSpeedSetting(_speedSetting, _stats.GetAcceleration(), throttle, dt,
                                     _stats.GetMinSpeed(), maxSpeed);
    _turnInput = turn;

    float turnImpulse = TurnFactor(_speedSetting, maxSpeed) * _stats.GetTurnRate() * turn * dt *
                        SteeringImpulseScale;
    ApplyAngularImpulse(turnImpulse);
    float rotation = MathUtil::ToRadians(GetRotation());
    Vector2 push = Vector2(std::cos(rotation), std::sin(rotation)) * (_speedSetting * dt * SteeringImpulseScale);
    ApplyLinearImpulse(push, Vector2::Zero);

    // The aim point sails along with the ship.
    if (GetBody() != 0)
    {
        b2Vec2 velocity = GetBody()->GetLinearVelocity();
        _aimTarget += Vector2(velocity.x, velocity.y) * dt;
    }
}

void Ship::ApplyWaterDrag(float dt)
{
    b2Body* body = GetBody();
    if (body == 0)
        return;
    b2Vec2 velocity = body->GetLinearVelocity();
    float angularVelocity = body->GetAngularVelocity();
    float mass = body->GetMass();
    float speed = velocity.Length();
    if (speed != 0.0f)
    {
        float velocityImpulse = DragImpulse(_stats.GetVelocityDrag(), dt, speed, mass);
        body->ApplyLinearImpulseToCenter((-velocityImpulse / speed) * velocity, true);

        float angle = body->GetAngle();
        b2Vec2 forward(std::cos(angle), std::sin(angle));
        b2Vec2 forwardVelocity = b2Dot(velocity, forward) * forward;
        float forwardSpeed = forwardVelocity.Length();
        if (forwardSpeed != 0.0f)
        {
            // Together the two drags may at most stop the forward motion.
            float left = 1.0f - velocityImpulse / (mass * speed);
            float forwardImpulse = std::min(DragImpulse(_stats.GetForwardDrag(), dt, forwardSpeed, mass),
                                            mass * forwardSpeed * left);
            body->ApplyLinearImpulseToCenter((-forwardImpulse / forwardSpeed) * forwardVelocity, true);
        }
    }
    // Box2D reports the inertia about the body's origin, but turns an angular impulse about
    // the centre of mass: the cap must use the inertia about that centre.
    b2Vec2 centre = body->GetLocalCenter();
    float inertia = body->GetInertia() - mass * b2Dot(centre, centre);
    float spinImpulse = DragImpulse(_stats.GetTurnDrag(), dt, std::fabs(angularVelocity), inertia);
    body->ApplyAngularImpulse(angularVelocity > 0.0f ? -spinImpulse : spinImpulse, true);
}

void Ship::UpdateWeapons(float dt)
{
    _broadsideTimer += dt;
    _miniCannonTimer += dt;
    if (!_isPlayer)
        DecideEnemyFire(dt);
    if (_broadsideRequest || _broadsidePressed)
        FireBroadside();
    if (_miniCannonRequest || _miniCannonPressed)
        FireMiniCannons();
    _broadsidePressed = false;
    _miniCannonPressed = false;
}

void Ship::DecideEnemyFire(float dt)
{
    Ship* player = SkarrowGameManager::GetInstance()->GetPlayerShip();
    ShipSnapshot playerSnapshot;
    if (player != 0)
        playerSnapshot = player->TakeSnapshot();
    FireDecision decision = ::DecideEnemyFire(TakeSnapshot(), player ? &playerSnapshot : 0, dt);
    _broadsideRequest = decision.broadside;
    _miniCannonRequest = decision.miniCannons;
    _aimTarget = decision.aimTarget;
}

void Ship::FireBroadside()
{
    if (!(_broadsideTimer > _stats.GetBroadsideReload()))
        return;
    const Vector2List& ports = _stats.GetBroadsidePorts();
    int pairs = _stats.GetBroadsideCannons() / 2;
    for (int pair = 0; pair < pairs && 2 * pair + 1 < (int)ports.size(); ++pair)
    {
        FireBall(ports[2 * pair], GetPortVelocity());
        FireBall(ports[2 * pair + 1], GetStarboardVelocity());
    }
    _broadsideTimer = 0.0f;
    SoundManager::PlayEffect(EK_Broadside, this, 1.0f);
}

void Ship::FireBall(const Vector2& port, const Vector2& velocity)
{
    Vector2 offset = Vector2::Rotate(Vector2(port.X * GetSize().X, port.Y * GetSize().Y), GetHeading());
    CannonBall* ball = new CannonBall(_stats.GetBallRadius(), _stats.GetBallFlightTime(), _isPlayer,
                                      _stats.GetBallDensity(), _stats.GetBallDamage(),
                                      GetPosition() + offset, velocity);
    World::GetInstance()->Add(ball, CannonBallLayer);
}

Vector2 Ship::MiniCannonMuzzle(const Vector2& port) const
{
    Vector2 local(port.X * GetSize().X * 0.5f, port.Y * GetSize().Y * 0.5f);
    return GetPosition() + Vector2::Rotate(local, GetHeading());
}

Vector2 Ship::MiniCannonTarget(const Vector2& muzzle) const
{
    float range = _stats.GetMiniCannonRange();
    if (Vector2::Distance(muzzle, _aimTarget) <= range)
        return _aimTarget;
    return muzzle + Vector2::Normalize(_aimTarget - muzzle) * range;
}

void Ship::FireMiniCannons()
{
    if (!(_miniCannonTimer > _stats.GetMiniCannonReload()))
        return;
    for (const Vector2& port : _stats.GetMiniCannonPorts())
    {
        HitWithMiniCannon(MiniCannonTarget(MiniCannonMuzzle(port)));
        _miniCannonTimer = 0.0f;
    }
    // Hit or miss.
    SoundManager::PlayEffect(EK_MiniCannon, this, 1.0f);
}

bool Ship::HitWithMiniCannon(const Vector2& target)
{
    SkarrowGameManager* manager = SkarrowGameManager::GetInstance();
    std::vector<Ship*> candidates;
    if (_isPlayer)
        candidates.assign(manager->GetEnemies().begin(), manager->GetEnemies().end());
    else if (manager->GetPlayerShip() != 0)
        candidates.push_back(manager->GetPlayerShip());
    for (Ship* ship : candidates)
    {
        b2Body* body = ship->GetBody();
        if (body != 0 && body->GetFixtureList() != 0 && body->GetFixtureList()->TestPoint(ToB2(target)))
        {
            ship->TakeDamage(_stats.GetMiniCannonDamage(), target);
            return true;
        }
    }
    return false;
}

void Ship::TakeDamage(float amount, const Vector2& point)
{
    _stats.GetHealth().AddHealth(-amount);
    // It adds itself to the World and plays the hit sound.
    new HitParticleActor(HitLifetime, amount, HitSplinterSize, point);
}

void Ship::MouseMotionEvent(Vec2i screenCoordinates)
{
    if (!IsLivingPlayer())
        return;
    _pointerPosition = screenCoordinates;
    AimAtPointer();
}

void Ship::MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if (!IsLivingPlayer())
        return;
    _pointerPosition = screenCoordinates;
    AimAtPointer();
    if (button == MOUSE_RIGHT)
        _broadsideRequest = true;
    else if (button == MOUSE_LEFT)
        _miniCannonRequest = true;
    // While the world is paused (the shipyard) the weapons see nothing until it resumes, so
    // a click there is not latched: only a button still held then fires.
    if (World::GetInstance()->IsSimulationOn())
    {
        _broadsidePressed = _broadsidePressed || button == MOUSE_RIGHT;
        _miniCannonPressed = _miniCannonPressed || button == MOUSE_LEFT;
    }
}

void Ship::MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if (!IsLivingPlayer())
        return;
    _pointerPosition = screenCoordinates;
    AimAtPointer();
    if (button == MOUSE_RIGHT)
        _broadsideRequest = false;
    else if (button == MOUSE_LEFT)
        _miniCannonRequest = false;
}

void Ship::Render()
{
    if (IsDestroyed())
        return;
    Actor::Render();
    // The aim lines thicken while the mini cannons reload.
    float reloaded = _miniCannonTimer / _stats.GetMiniCannonReload();
    glColor3f(1.0f, 0.6f, 0.0f);
    glLineWidth(3.0f * std::min(1.0f, std::max(0.1f, reloaded)));
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const Vector2& port : _stats.GetMiniCannonPorts())
    {
        Vector2 muzzle = MiniCannonMuzzle(port);
        Vector2 end = MiniCannonTarget(muzzle);
        float line[4] = {muzzle.X, muzzle.Y, end.X, end.Y};
        glVertexPointer(2, GL_FLOAT, 0, line);
        glDrawArrays(GL_LINES, 0, 2);
    }
    glLineWidth(1.0f);
}

void Ship::PreDestroy()
{
    _cursor->Destroy();
    _lifeFrame->Destroy();
    _lifeBar->Destroy();
    SkarrowGameManager* manager = SkarrowGameManager::GetInstance();
    if (_isPlayer)
    {
        manager->OnPlayerDestroyed();
        return;
    }
    manager->RemoveEnemy(this);
    Ship* player = manager->GetPlayerShip();
    if (player != 0 && !player->IsSinking())
        player->AddRum(RumPerKill);
}

void Ship::FitHullToStats()
{
    SetSize(_stats.GetSize());
    // Rebuilds the fixture's polygon in place; the mass is not recomputed.
    SetPolygonVertices(_stats.GetScaledHull());
}
