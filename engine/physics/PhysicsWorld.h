#pragma once

#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

#include <map>
#include <set>

class b2Contact;
class b2ContactListener;
class b2World;
class PhysicsActor;

// The program's one Box2D world: its stepping, the copy of bodies to their actors, collision
// messages and the side blockers around the view. Owned by the World, which forwards its
// physics operations here; the Box2D world lives until this object does.
class PhysicsWorld
{
public:
    PhysicsWorld();
    ~PhysicsWorld();

    // Refused (false) when the Box2D world exists already. The listener is not owned and must
    // outlive the Box2D world.
    bool Setup(const Vector2& gravity, b2ContactListener* listener);
    bool IsSetUp() const { return _world != 0; }
    // From now on contacts are reported to no one: for when the listener is about to go
    // before the Box2D world (and the bodies whose contacts end with it).
    void DetachContactListener();
    // Null until set up; owned here.
    b2World* GetWorld() { return _world; }
    bool Pause();
    bool Resume();
    bool IsRunning() const { return _running; }
    void WakeAllBodies();
    // Steps the Box2D world and copies every body's position and angle to its actor.
    void Step(float dt);
    // 10 and 10 unless changed; lower counts trade stacking accuracy for speed.
    void SetIterations(int velocityIterations, int positionIterations);

    // Broadcasts baseName + actor name to each side of the contact, once per partner and step.
    void SendCollisionMessages(b2Contact* contact, const String& baseName);

    // Static boxes just outside the view, added to the World's layer 0. A restitution of -1
    // keeps the one given before.
    void CreateSideBlockers(float restitution);
    // Rebuilds the side blockers once they were asked for.
    void OnCameraChange();
    // Called when a physics actor is deleted, so no pointer to it outlives it.
    void ForgetActor(PhysicsActor* actor);

private:
    // Pause and Resume: false, with a warning naming the verb, before physics is set up.
    bool SetRunning(bool running, const char* verb);
    PhysicsWorld(const PhysicsWorld&);
    PhysicsWorld& operator=(const PhysicsWorld&);

    void CopyBodiesToActors();
    void SendCollisionMessage(const String& baseName, PhysicsActor* about, PhysicsActor* partner,
                              b2Contact* contact);
    void DestroySideBlockers();

    b2World* _world;
    bool _running;
    int _velocityIterations;
    int _positionIterations;
    // Per collision-message name, the partners already reported in the current step.
    std::map<String, std::set<PhysicsActor*> > _collisionRecord;
    bool _edgeBlockersOn;
    float _edgeBlockerRestitution;
    PhysicsActor* _edgeBlockers[4];
};
