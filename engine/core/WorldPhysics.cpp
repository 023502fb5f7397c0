// The World's physics operations, forwarded to its physics world, and the World's part as
// contact listener and "CameraChange" subscriber.
#include "engine/core/World.h"

#include "engine/messaging/Message.h"
#include "engine/physics/PhysicsWorld.h"

bool World::SetupPhysics(const Vector2& gravity, b2ContactListener* listener)
{
    return _physics->Setup(gravity, listener != 0 ? listener : this);
}

bool World::IsPhysicsSetUp() const { return _physics->IsSetUp(); }

b2World* World::GetPhysicsWorld() { return _physics->GetWorld(); }

bool World::PausePhysics() { return _physics->Pause(); }

bool World::ResumePhysics() { return _physics->Resume(); }

bool World::IsPhysicsRunning() const { return _physics->IsRunning(); }

void World::WakeAllBodies() { _physics->WakeAllBodies(); }

void World::RunPhysics(float dt) { _physics->Step(dt); }

void World::SetPhysicsIterations(int velocityIterations, int positionIterations)
{
    _physics->SetIterations(velocityIterations, positionIterations);
}

void World::CreateSideBlockers(float restitution) { _physics->CreateSideBlockers(restitution); }

void World::ForgetPhysicsActor(PhysicsActor* actor) { _physics->ForgetActor(actor); }

void World::BeginContact(b2Contact* contact)
{
    _physics->SendCollisionMessages(contact, "CollisionStartWith");
}

void World::EndContact(b2Contact* contact)
{
    _physics->SendCollisionMessages(contact, "CollisionEndWith");
}

void World::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "CameraChange")
    {
        _physics->OnCameraChange();
    }
}
