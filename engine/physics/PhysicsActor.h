#pragma once

#include "engine/actors/Actor.h"
#include "engine/math/Vector2.h"

#include <vector>

class b2Body;
class b2Shape;

// An actor that owns one Box2D body with one fixture in the World's physics world.
// Configure it first, then InitPhysics creates the body; from then on the body moves the
// actor, and forces and impulses reach the body through it. One unit is one metre.
class PhysicsActor : public Actor
{
public:
    // Any int is a valid value of the type, so a bad shape number (from a script) is caught
    // by the check in InitPhysics rather than being undefined behaviour.
    enum eShapeType : int
    {
        SHAPETYPE_BOX = 0,
        SHAPETYPE_CIRCLE = 1,
        SHAPETYPE_POLYGON = 2
    };

    PhysicsActor();
    virtual ~PhysicsActor();

    // Before InitPhysics these only store; afterwards the fixture takes them too.
    void SetDensity(float density);
    void SetFriction(float friction);
    void SetRestitution(float restitution);
    void SetIsSensor(bool isSensor);
    void SetFixedRotation(bool fixedRotation);
    // Corners in body coordinates, 3 to 8 of them.
    void SetPolygonVertices(const std::vector<Vector2>& vertices);

    // Only before InitPhysics; afterwards they warn and change nothing.
    void SetShapeType(eShapeType shapeType);
    // Bodies of the same negative group never collide, of the same positive group always do.
    void SetGroupIndex(int groupIndex);
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& position) override;
    void SetRotation(float degrees) override;

    // The body takes the size (SetSize) only when it is created; afterwards sizes change the
    // drawing alone.
    void SetDrawSize(float x, float y = -1.0f);

    float GetDensity() const { return _density; }
    float GetFriction() const { return _friction; }
    float GetRestitution() const { return _restitution; }
    eShapeType GetShapeType() const { return _shapeType; }
    bool IsSensor() const { return _isSensor; }
    int GetGroupIndex() const { return _groupIndex; }
    bool IsFixedRotation() const { return _fixedRotation; }
    const std::vector<Vector2>& GetPolygonVertices() const { return _vertices; }
    b2Body* GetBody() { return _body; }

    // Force and point in world axes; the point is an offset from the actor's position.
    void ApplyForce(const Vector2& force, const Vector2& point);
    // Force in body axes, turned with the body; the point as for ApplyForce.
    void ApplyLocalForce(const Vector2& force, const Vector2& point);
    void ApplyTorque(float torque);
    void ApplyLinearImpulse(const Vector2& impulse, const Vector2& point);
    void ApplyAngularImpulse(float impulse);

    // Timed moves, rotations and size changes would fight the body: ignored.
    void MoveTo(const Vector2& newPosition, float duration, bool smooth = false,
                        String onCompletionMessage = "") override;
    void RotateTo(float newRotation, float duration, bool smooth = false,
                          String onCompletionMessage = "") override;
    void ChangeSizeTo(float newSize, float duration, bool smooth = false,
                              String onCompletionMessage = "") override;
    void ChangeSizeTo(const Vector2& newSize, float duration, bool smooth = false,
                              String onCompletionMessage = "") override;

    String GetClassName() const override;

    // Creates the body from the settings. Run again, it replaces the body it made before.
    virtual void InitPhysics();
    // Called last by InitPhysics, for subclasses.
    virtual void CustomInitPhysics();
    // Called with the prepared shape before the body is created, so a subclass can change it.
    virtual void InitShape(b2Shape* shape);

    // Called by the World after each step; the rotation is wrapped into -180..180.
    void SyncFromBody(float x, float y, float degrees);

private:
    bool CanBuildShape();
    void DestroyBody();
    void WarnAfterInit(const char* call);
    bool WarnWithoutBody(const char* call);
    static bool IsValidVertexCount(size_t count);

    b2Body* _body;
    float _density;
    float _friction;
    float _restitution;
    eShapeType _shapeType;
    bool _isSensor;
    int _groupIndex;
    bool _fixedRotation;
    std::vector<Vector2> _vertices;
};
