#include "game/ships/ShipContactListener.h"

#include "game/ships/CannonBall.h"
#include "game/ships/ContactDamage.h"
#include "game/ships/Ship.h"

namespace
{
const int ArenaWallGroup = 2;

PhysicsActor* ActorOf(b2Fixture* fixture)
{
    return reinterpret_cast<PhysicsActor*>(fixture->GetBody()->GetUserData().pointer);
}

// Kinds are told apart by type, not by group index alone, so a physics actor that is none
// of the game's (a script's, the World's side blockers) is never taken for a ship.
struct ContactParties
{
    PhysicsActor* actorA;
    PhysicsActor* actorB;
    Ship* shipA;
    Ship* shipB;
    CannonBall* ballA;
    CannonBall* ballB;

    explicit ContactParties(b2Contact* contact)
        : actorA(ActorOf(contact->GetFixtureA())), actorB(ActorOf(contact->GetFixtureB())),
          shipA(dynamic_cast<Ship*>(actorA)), shipB(dynamic_cast<Ship*>(actorB)),
          ballA(dynamic_cast<CannonBall*>(actorA)), ballB(dynamic_cast<CannonBall*>(actorB))
    {
    }

    bool BothExist() const { return actorA != 0 && actorB != 0; }
    Ship* TheShip() const { return shipA ? shipA : shipB; }
    CannonBall* TheBall() const { return ballA ? ballA : ballB; }
    bool IsWall(PhysicsActor* actor) const
    {
        return actor != 0 && actor->GetGroupIndex() == ArenaWallGroup && !dynamic_cast<Ship*>(actor) &&
               !dynamic_cast<CannonBall*>(actor);
    }
    bool IsBallAndWall() const { return (ballA && IsWall(actorB)) || (ballB && IsWall(actorA)); }
};

void ContactPointAndNormal(b2Contact* contact, Vector2& point, Vector2& normal)
{
    b2WorldManifold manifold;
    contact->GetWorldManifold(&manifold);
    b2Vec2 where = manifold.points[0];
    if (contact->GetManifold()->pointCount == 2)
        where = 0.5f * (manifold.points[0] + manifold.points[1]);
    point = Vector2(where.x, where.y);
    normal = Vector2(manifold.normal.x, manifold.normal.y);
}
}

ShipContactListener::ShipContactListener() : _contactCount(0)
{
}

ShipContactListener::~ShipContactListener()
{
}

void ShipContactListener::PreSolve(b2Contact* contact, const b2Manifold* /*oldManifold*/)
{
    ContactParties parties(contact);
    if (!parties.BothExist())
        return;
    Ship* ship = parties.TheShip();
    CannonBall* ball = parties.TheBall();
    if (ship != 0 && ball != 0 && ship->IsPlayer() == ball->IsOwnerPlayer())
        contact->SetEnabled(false);
    else if (parties.IsBallAndWall())
        contact->SetEnabled(false);
}

void ShipContactListener::BeginContact(b2Contact* contact)
{
    ++_contactCount;
    ContactParties parties(contact);
    if (!parties.BothExist())
        return;
    Vector2 point;
    Vector2 normal;
    ContactPointAndNormal(contact, point, normal);
    if (parties.shipA != 0 && parties.shipB != 0)
        ApplyRammingDamage(parties.shipA, parties.shipB, point, normal);
    else if (parties.TheShip() != 0 && parties.TheBall() != 0)
        ApplyCannonBallHit(parties.TheShip(), parties.TheBall(), point, normal);
}

void ShipContactListener::EndContact(b2Contact* /*contact*/)
{
    --_contactCount;
}

void ShipContactListener::PostSolve(b2Contact* /*contact*/, const b2ContactImpulse* /*impulse*/)
{
}

float HitZoneFactor(const Ship* ship, const Vector2& point)
{
    return HitZoneFactor(const_cast<Ship*>(ship)->GetBody(), point);
}

void ApplyRammingDamage(Ship* shipA, Ship* shipB, const Vector2& point, const Vector2& normal)
{
    float speed = RelativeContactSpeed(shipA->GetBody(), shipB->GetBody(), point, normal);
    RammingDamage damage = ShareRammingDamage(HitZoneFactor(shipA, point), HitZoneFactor(shipB, point), speed);
    if (damage.ToA >= MinimumRammingDamage)
        shipA->TakeDamage(damage.ToA, point);
    if (damage.ToB >= MinimumRammingDamage)
        shipB->TakeDamage(damage.ToB, point);
}

void ApplyCannonBallHit(Ship* ship, CannonBall* ball, const Vector2& point, const Vector2& normal)
{
    if (ship->IsPlayer() == ball->IsOwnerPlayer())
        return;
    float speed = RelativeContactSpeed(ship->GetBody(), ball->GetBody(), point, normal);
    ship->TakeDamage(speed * HitZoneFactor(ship, point) * ball->GetDamage(), point);
    ball->Destroy();
}
