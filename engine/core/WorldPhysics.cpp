// The World's physics: the one Box2D world, its stepping, the copy of bodies to their
// actors, collision messages, and the side blockers around the view.
#include "engine/core/World.h"

#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/messaging/TypedMessage.h"
#include "engine/physics/PhysicsActor.h"
#include "engine/rendering/Camera.h"

#include <cmath>

namespace
{
const float kRadiansToDegrees = 180.0f / 3.14159265358979f;
const float kBlockerThickness = 5.0f;

PhysicsActor* ActorOf(b2Body* body)
{
    return body == 0 ? 0 : reinterpret_cast<PhysicsActor*>(body->GetUserData().pointer);
}

PhysicsActor* ActorOf(b2Fixture* fixture)
{
    return fixture == 0 ? 0 : ActorOf(fixture->GetBody());
}
}

bool World::SetupPhysics(const Vector2& gravity, b2ContactListener* listener)
{
    if (_physicsSetUp)
    {
        return false;
    }
    _physicsWorld = new b2World(b2Vec2(gravity.X, gravity.Y));
    _physicsWorld->SetContactListener(listener != 0 ? listener : this);
    _physicsSetUp = true;
    _physicsRunning = true;
    return true;
}

bool World::PausePhysics()
{
    if (!_physicsSetUp)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: Attempted to pause physics, but physics haven't been set up yet.");
        return false;
    }
    _physicsRunning = false;
    return true;
}

bool World::ResumePhysics()
{
    if (!_physicsSetUp)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: Attempted to resume physics, but physics haven't been set up yet.");
        return false;
    }
    _physicsRunning = true;
    return true;
}

void World::WakeAllBodies()
{
    if (_physicsWorld == 0)
    {
        return;
    }
    for (b2Body* body = _physicsWorld->GetBodyList(); body != 0; body = body->GetNext())
    {
        if (!body->IsAwake())
        {
            // Waking resets the body's sleep time too.
            body->SetAwake(true);
        }
    }
}

void World::SetPhysicsIterations(int velocityIterations, int positionIterations)
{
    _velocityIterations = velocityIterations > 0 ? velocityIterations : 1;
    _positionIterations = positionIterations > 0 ? positionIterations : 1;
}

void World::RunPhysics(float dt)
{
    if (!_physicsSetUp || !_physicsRunning)
    {
        return;
    }
    _collisionRecord.clear();
    _physicsWorld->Step(dt, _velocityIterations, _positionIterations);
    CopyBodiesToActors();
}

void World::CopyBodiesToActors()
{
    for (b2Body* body = _physicsWorld->GetBodyList(); body != 0; body = body->GetNext())
    {
        PhysicsActor* actor = ActorOf(body);
        if (actor == 0)
        {
            continue;
        }
        const b2Vec2& position = body->GetPosition();
        actor->SyncFromBody(position.x, position.y, body->GetAngle() * kRadiansToDegrees);
    }
}

void World::BeginContact(b2Contact* contact)
{
    SendCollisionMessages(contact, "CollisionStartWith");
}

void World::EndContact(b2Contact* contact)
{
    SendCollisionMessages(contact, "CollisionEndWith");
}

void World::SendCollisionMessages(b2Contact* contact, const String& baseName)
{
    PhysicsActor* first = ActorOf(contact->GetFixtureA());
    PhysicsActor* second = ActorOf(contact->GetFixtureB());
    SendCollisionMessage(baseName, first, second, contact);
    SendCollisionMessage(baseName, second, first, contact);
}

void World::SendCollisionMessage(const String& baseName, PhysicsActor* about, PhysicsActor* partner,
                                 b2Contact* contact)
{
    if (about == 0)
    {
        return;
    }
    const String messageName = baseName + about->GetName();
    if (Switchboard::GetInstance()->GetSubscribersTo(messageName).empty())
    {
        return;
    }
    // Several fixtures touching the same partner in one step make one message.
    std::set<PhysicsActor*>& reported = _collisionRecord[messageName];
    if (!reported.insert(partner).second)
    {
        return;
    }
    Switchboard::GetInstance()->Broadcast(new TypedMessage<b2Contact*>(messageName, contact, partner));
}

void World::CreateSideBlockers(float restitution)
{
    if (!_physicsSetUp)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: Attempted to create side blockers, but physics haven't been set up yet.");
        return;
    }
    if (std::fabs(restitution + 1.0f) > 1e-6f)
    {
        _edgeBlockerRestitution = restitution;
    }
    DestroySideBlockers();
    _edgeBlockersOn = true;

    Camera* camera = Camera::GetInstance();
    const Vector2 topRight = camera->GetWorldMaxVertex();
    const Vector2 bottomLeft = camera->GetWorldMinVertex();
    const Vector2 centre = (topRight + bottomLeft) * 0.5f;
    const float width = topRight.X - bottomLeft.X;
    const float height = topRight.Y - bottomLeft.Y;
    const float offset = kBlockerThickness * 0.5f;

    const Vector2 positions[4] = {Vector2(centre.X, topRight.Y + offset),
                                  Vector2(centre.X, bottomLeft.Y - offset),
                                  Vector2(bottomLeft.X - offset, centre.Y),
                                  Vector2(topRight.X + offset, centre.Y)};
    const Vector2 sizes[4] = {Vector2(width + 1.0f, kBlockerThickness),
                              Vector2(width + 1.0f, kBlockerThickness),
                              Vector2(kBlockerThickness, height + 1.0f),
                              Vector2(kBlockerThickness, height + 1.0f)};
    for (int i = 0; i < 4; ++i)
    {
        PhysicsActor* blocker = new PhysicsActor();
        blocker->SetPosition(positions[i]);
        blocker->SetSize(sizes[i]);
        blocker->SetColor(1.0f, 0.5f, 0.5f, 1.0f);
        blocker->SetDensity(0.0f);
        blocker->SetFriction(0.1f);
        blocker->SetRestitution(_edgeBlockerRestitution);
        blocker->InitPhysics();
        blocker->Tag("NoDelete");
        Add(blocker, 0);
        _edgeBlockers[i] = blocker;
    }
}

void World::DestroySideBlockers()
{
    for (int i = 0; i < 4; ++i)
    {
        PhysicsActor* blocker = _edgeBlockers[i];
        if (blocker == 0)
        {
            continue;
        }
        _edgeBlockers[i] = 0;
        // Out of the simulation at once; the cleanup pass deletes the actor and its body.
        if (blocker->GetBody() != 0 && !_physicsWorld->IsLocked())
        {
            blocker->GetBody()->SetEnabled(false);
        }
        blocker->Destroy();
    }
}

void World::ForgetPhysicsActor(PhysicsActor* actor)
{
    for (int i = 0; i < 4; ++i)
    {
        if (_edgeBlockers[i] == actor)
        {
            _edgeBlockers[i] = 0;
        }
    }
}

void World::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "CameraChange" && _edgeBlockersOn)
    {
        CreateSideBlockers(-1.0f);
    }
}
