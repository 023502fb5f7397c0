#include "engine/physics/PhysicsWorld.h"

#include "engine/core/World.h"

#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/messaging/TypedMessage.h"
#include "engine/physics/PhysicsActor.h"
#include "engine/rendering/Camera.h"

#include <box2d/box2d.h>

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

PhysicsWorld::PhysicsWorld()
    : _world(0), _running(false), _velocityIterations(10), _positionIterations(10),
      _edgeBlockersOn(false), _edgeBlockerRestitution(0.0f)
{
    for (int i = 0; i < 4; ++i)
    {
        _edgeBlockers[i] = 0;
    }
}

PhysicsWorld::~PhysicsWorld()
{
    // Bodies of actors still alive go with the Box2D world; their actors must not touch them.
    delete _world;
}

bool PhysicsWorld::Setup(const Vector2& gravity, b2ContactListener* listener)
{
    if (_world != 0)
    {
        return false;
    }
    _world = new b2World(b2Vec2(gravity.X, gravity.Y));
    _world->SetContactListener(listener);
    _running = true;
    return true;
}

void PhysicsWorld::DetachContactListener()
{
    // Box2D's own listener does nothing.
    static b2ContactListener silent;
    if (_world != 0)
    {
        _world->SetContactListener(&silent);
    }
}

bool PhysicsWorld::Pause() { return SetRunning(false, "pause"); }

bool PhysicsWorld::Resume() { return SetRunning(true, "resume"); }

bool PhysicsWorld::SetRunning(bool running, const char* verb)
{
    if (_world == 0)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: Attempted to %s physics, but physics haven't been set up yet.", verb);
        return false;
    }
    _running = running;
    return true;
}

void PhysicsWorld::WakeAllBodies()
{
    if (_world == 0)
    {
        return;
    }
    for (b2Body* body = _world->GetBodyList(); body != 0; body = body->GetNext())
    {
        if (!body->IsAwake())
        {
            // Waking resets the body's sleep time too.
            body->SetAwake(true);
        }
    }
}

void PhysicsWorld::SetIterations(int velocityIterations, int positionIterations)
{
    _velocityIterations = velocityIterations > 0 ? velocityIterations : 1;
    _positionIterations = positionIterations > 0 ? positionIterations : 1;
}

void PhysicsWorld::Step(float dt)
{
    if (_world == 0 || !_running)
    {
        return;
    }
    _collisionRecord.clear();
    _world->Step(dt, _velocityIterations, _positionIterations);
    CopyBodiesToActors();
}

void PhysicsWorld::CopyBodiesToActors()
{
    for (b2Body* body = _world->GetBodyList(); body != 0; body = body->GetNext())
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

void PhysicsWorld::SendCollisionMessages(b2Contact* contact, const String& baseName)
{
    PhysicsActor* first = ActorOf(contact->GetFixtureA());
    PhysicsActor* second = ActorOf(contact->GetFixtureB());
    SendCollisionMessage(baseName, first, second, contact);
    SendCollisionMessage(baseName, second, first, contact);
}

void PhysicsWorld::SendCollisionMessage(const String& baseName, PhysicsActor* about, PhysicsActor* partner,
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

void PhysicsWorld::CreateSideBlockers(float restitution)
{
    if (_world == 0)
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
        // Rebuilt with every change of view: a script may destroy one (it is forgotten here
        // when deleted), not take one off its layer, which would leave it to no one.
        blocker->SetHolder("the engine", true);
        World::GetInstance()->Add(blocker, 0);
        _edgeBlockers[i] = blocker;
    }
}

void PhysicsWorld::DestroySideBlockers()
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
        if (blocker->GetBody() != 0 && !_world->IsLocked())
        {
            blocker->GetBody()->SetEnabled(false);
        }
        blocker->Destroy();
    }
}

void PhysicsWorld::ForgetActor(PhysicsActor* actor)
{
    for (int i = 0; i < 4; ++i)
    {
        if (_edgeBlockers[i] == actor)
        {
            _edgeBlockers[i] = 0;
        }
    }
}

void PhysicsWorld::OnCameraChange()
{
    if (_edgeBlockersOn)
    {
        CreateSideBlockers(-1.0f);
    }
}
