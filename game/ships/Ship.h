#pragma once

#include "engine/input/MouseListener.h"
#include "engine/math/Vec2i.h"
#include "engine/physics/PhysicsActor.h"
#include "game/ships/ShipSnapshot.h"
#include "game/ships/ShipStats.h"

class Actor;
class Renderable;

// Every ship of the game, the player's and the enemies': a physics hull steered by the keys
// (player) or by the enemy behaviour, slowed by the water, armed with a broadside and mini
// cannons, with an aim cursor and a life bar that follow it.
class Ship : public PhysicsActor, public MouseListener
{
public:
    // Builds the hull and its body; the game manager puts it on its layer.
    Ship(ShipStats stats, float heading, bool isPlayer, const Vector2& position);
    virtual ~Ship();

    bool IsPlayer() const { return _isPlayer; }
    ShipStats& GetStats() { return _stats; }
    const ShipStats& GetStats() const { return _stats; }
    float GetRum() const { return _rum; }
    void AddRum(float amount) { _rum += amount; }
    const Vector2& GetAimTarget() const { return _aimTarget; }
    float GetSpeedSetting() const { return _speedSetting; }
    float GetTurnInput() const { return _turnInput; }
    float GetBroadsideTimer() const { return _broadsideTimer; }
    float GetMiniCannonTimer() const { return _miniCannonTimer; }
    bool HasBroadsideRequest() const { return _broadsideRequest; }
    bool HasMiniCannonRequest() const { return _miniCannonRequest; }
    Actor* GetCursor() { return _cursor; }
    Actor* GetLifeFrame() { return _lifeFrame; }
    Actor* GetLifeBar() { return _lifeBar; }
    // The ship itself or one of the actors that follow it.
    bool IsPartOf(const Renderable* renderable) const;
    // A ship that is sinking: destroyed, or out of health and going down in its next update.
    bool IsSinking() const;

    // Radians, from the body's rotation.
    float GetHeading() const;
    Vector2 GetForwardVelocity() const;
    Vector2 GetBroadsideVelocity() const;
    Vector2 GetPortVelocity() const;
    Vector2 GetStarboardVelocity() const;
    // What the enemy behaviour needs to know of this ship.
    ShipSnapshot TakeSnapshot() const;

    // Keeps the cursor inside the window: a pointer that left it pushes the offset along.
    Vec2i ClampMouseToWindow(Vec2i pointerPosition);

    void Steer(float dt);
    void ApplyWaterDrag(float dt);
    void UpdateWeapons(float dt);
    void FireBroadside();
    void FireMiniCannons();
    // All damage reaches a ship here; a negative amount heals up to the maximum.
    void TakeDamage(float amount, const Vector2& point);
    // Gives the picture and the body's polygon the size the stats now say. The body keeps
    // the mass (and density) it was built with: a stronger hull is bigger and tougher, but
    // handles as before.
    void FitHullToStats();

    void MouseMotionEvent(Vec2i screenCoordinates) override;
    void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button) override;
    void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button) override;

    void Update(float dt) override;
    void Render() override;
    void PreDestroy() override;

private:
    void BuildAttachedActors();
    void BuildBody();
    // W, A, S and D as held now; nothing while the World's console is open.
    void ReadSteeringKeys(float& turn, float& throttle);
    void SteerAsEnemy(float dt, float& turn, float& throttle);
    void DecideEnemyFire(float dt);
    void FollowWithAttachedActors();
    void AimAtPointer();
    bool HitWithMiniCannon(const Vector2& target);
    Vector2 MiniCannonMuzzle(const Vector2& port) const;
    Vector2 MiniCannonTarget(const Vector2& muzzle) const;
    void FireBall(const Vector2& port, const Vector2& velocity);
    const b2Body* Body() const;
    bool IsLivingPlayer() const { return _isPlayer && !IsDestroyed(); }

    ShipStats _stats;
    float _speedSetting;
    float _turnInput;
    bool _isPlayer;
    float _broadsideTimer;
    bool _broadsideRequest;
    // A press not yet seen by the weapons: a click whose release comes before the next
    // update still fires once.
    bool _broadsidePressed;
    float _miniCannonTimer;
    bool _miniCannonRequest;
    bool _miniCannonPressed;
    Actor* _cursor;
    Vec2i _pointerPosition;
    Vector2 _aimTarget;
    Vec2i _pointerOffset;
    Actor* _lifeFrame;
    Actor* _lifeBar;
    float _wanderAngle;
    float _rum;
};
