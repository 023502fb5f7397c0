#include "engine/physics/PhysicsActor.h"

#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"

#include <box2d/box2d.h>

#include <cmath>
#include <stdint.h>

namespace
{
const float kDegreesToRadians = 0.01745329052209854f;
// Below this a density means "never moves".
const float kStaticDensity = 1e-6f;

b2Vec2 ToB2(const Vector2& v) { return b2Vec2(v.X, v.Y); }
}

PhysicsActor::PhysicsActor()
    : _body(0), _density(1.0f), _friction(0.3f), _restitution(0.0f), _shapeType(SHAPETYPE_BOX),
      _isSensor(false), _groupIndex(0), _fixedRotation(false)
{
}

PhysicsActor::~PhysicsActor()
{
    DestroyBody();
    World::GetInstance()->ForgetPhysicsActor(this);
}

void PhysicsActor::DestroyBody()
{
    if (_body == 0)
    {
        return;
    }
    _body->GetUserData().pointer = 0;
    World::GetInstance()->GetPhysicsWorld()->DestroyBody(_body);
    _body = 0;
}

String PhysicsActor::GetClassName() const { return "PhysicsActor"; }

bool PhysicsActor::IsValidVertexCount(size_t count)
{
    return count >= 3 && count <= (size_t)b2_maxPolygonVertices;
}

void PhysicsActor::SetDensity(float density)
{
    _density = density;
    if (_body == 0)
    {
        return;
    }
    for (b2Fixture* fixture = _body->GetFixtureList(); fixture != 0; fixture = fixture->GetNext())
    {
        fixture->SetDensity(density);
    }
}

void PhysicsActor::SetFriction(float friction)
{
    _friction = friction;
    if (_body == 0)
    {
        return;
    }
    for (b2Fixture* fixture = _body->GetFixtureList(); fixture != 0; fixture = fixture->GetNext())
    {
        fixture->SetFriction(friction);
    }
}

void PhysicsActor::SetRestitution(float restitution)
{
    _restitution = restitution;
    if (_body == 0)
    {
        return;
    }
    for (b2Fixture* fixture = _body->GetFixtureList(); fixture != 0; fixture = fixture->GetNext())
    {
        fixture->SetRestitution(restitution);
    }
}

void PhysicsActor::SetIsSensor(bool isSensor)
{
    _isSensor = isSensor;
    if (_body == 0)
    {
        return;
    }
    for (b2Fixture* fixture = _body->GetFixtureList(); fixture != 0; fixture = fixture->GetNext())
    {
        fixture->SetSensor(isSensor);
    }
}

void PhysicsActor::SetFixedRotation(bool fixedRotation)
{
    _fixedRotation = fixedRotation;
    if (_body == 0)
    {
        return;
    }
    _body->SetFixedRotation(fixedRotation);
    _body->ResetMassData();
}

void PhysicsActor::SetPolygonVertices(const std::vector<Vector2>& vertices)
{
    if (!IsValidVertexCount(vertices.size()))
    {
        CompoundLog::GetSystemLog().Printf(
            "ERROR: A polygon needs 3 to %d vertices; %d given. The vertices were not changed.",
            b2_maxPolygonVertices, (int)vertices.size());
        return;
    }
    _vertices = vertices;
    if (_body == 0)
    {
        return;
    }
    b2Vec2 points[b2_maxPolygonVertices];
    for (size_t i = 0; i < vertices.size(); ++i)
    {
        points[i] = ToB2(vertices[i]);
    }
    for (b2Fixture* fixture = _body->GetFixtureList(); fixture != 0; fixture = fixture->GetNext())
    {
        if (fixture->GetType() == b2Shape::e_polygon)
        {
            static_cast<b2PolygonShape*>(fixture->GetShape())->Set(points, (int32)vertices.size());
        }
    }
}

void PhysicsActor::WarnAfterInit(const char* call)
{
    CompoundLog::GetSystemLog().Printf(
        "WARNING: %s had no effect; don't change an actor after its physics have been initialized.", call);
}

void PhysicsActor::SetShapeType(eShapeType shapeType)
{
    if (_body != 0)
    {
        WarnAfterInit("SetShapeType()");
        return;
    }
    _shapeType = shapeType;
}

void PhysicsActor::SetGroupIndex(int groupIndex)
{
    if (_body != 0)
    {
        WarnAfterInit("SetGroupIndex()");
        return;
    }
    _groupIndex = groupIndex;
}

void PhysicsActor::SetPosition(float x, float y)
{
    if (_body != 0)
    {
        WarnAfterInit("SetPosition()");
        return;
    }
    Actor::SetPosition(x, y);
}

void PhysicsActor::SetPosition(const Vector2& position)
{
    SetPosition(position.X, position.Y);
}

void PhysicsActor::SetRotation(float degrees)
{
    if (_body != 0)
    {
        WarnAfterInit("SetRotation()");
        return;
    }
    Actor::SetRotation(degrees);
}

void PhysicsActor::SetDrawSize(float x, float y) { Actor::SetSize(x, y); }

void PhysicsActor::MoveTo(const Vector2&, float, bool, String) {}

void PhysicsActor::RotateTo(float, float, bool, String) {}

void PhysicsActor::ChangeSizeTo(float, float, bool, String) {}

void PhysicsActor::ChangeSizeTo(const Vector2&, float, bool, String) {}

bool PhysicsActor::WarnWithoutBody(const char* call)
{
    if (_body != 0)
    {
        return false;
    }
    CompoundLog::GetSystemLog().Printf(
        "WARNING: %s had no effect; this actor's physics were not initialized.", call);
    return true;
}

void PhysicsActor::ApplyForce(const Vector2& force, const Vector2& point)
{
    if (WarnWithoutBody("ApplyForce()"))
    {
        return;
    }
    _body->ApplyForce(ToB2(force), ToB2(GetPosition() + point), true);
}

void PhysicsActor::ApplyLocalForce(const Vector2& force, const Vector2& point)
{
    if (WarnWithoutBody("ApplyLocalForce()"))
    {
        return;
    }
    _body->ApplyForce(_body->GetWorldVector(ToB2(force)), ToB2(GetPosition() + point), true);
}

void PhysicsActor::ApplyTorque(float torque)
{
    if (WarnWithoutBody("ApplyTorque()"))
    {
        return;
    }
    _body->ApplyTorque(torque, true);
}

void PhysicsActor::ApplyLinearImpulse(const Vector2& impulse, const Vector2& point)
{
    if (WarnWithoutBody("ApplyLinearImpulse()"))
    {
        return;
    }
    _body->ApplyLinearImpulse(ToB2(impulse), ToB2(GetPosition() + point), true);
}

void PhysicsActor::ApplyAngularImpulse(float impulse)
{
    if (WarnWithoutBody("ApplyAngularImpulse()"))
    {
        return;
    }
    _body->ApplyAngularImpulse(impulse, true);
}

bool PhysicsActor::CanBuildShape()
{
    if (!World::GetInstance()->IsPhysicsSetUp())
    {
        CompoundLog::GetSystemLog().Printf("ERROR: World physics must be initialized before Actor's.");
        return false;
    }
    if (World::GetInstance()->GetPhysicsWorld()->IsLocked())
    {
        CompoundLog::GetSystemLog().Printf(
            "ERROR: A body can't be created while the physics world is stepping; no body was created.");
        return false;
    }
    if (_shapeType != SHAPETYPE_BOX && _shapeType != SHAPETYPE_CIRCLE && _shapeType != SHAPETYPE_POLYGON)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Invalid shape type given.");
        return false;
    }
    if (_shapeType == SHAPETYPE_POLYGON && !IsValidVertexCount(_vertices.size()))
    {
        CompoundLog::GetSystemLog().Printf(
            "ERROR: A polygon needs 3 to %d vertices; %d given. No body was created.",
            b2_maxPolygonVertices, (int)_vertices.size());
        return false;
    }
    return true;
}

void PhysicsActor::InitPhysics()
{
    if (!CanBuildShape())
    {
        return;
    }

    b2PolygonShape polygon;
    b2CircleShape circle;
    b2Shape* shape = &polygon;
    const Vector2 size = GetSize();
    if (_shapeType == SHAPETYPE_BOX)
    {
        polygon.SetAsBox(size.X * 0.5f, size.Y * 0.5f);
    }
    else if (_shapeType == SHAPETYPE_CIRCLE)
    {
        circle.m_radius = size.X * 0.5f;
        shape = &circle;
    }
    else
    {
        b2Vec2 points[b2_maxPolygonVertices];
        for (size_t i = 0; i < _vertices.size(); ++i)
        {
            points[i] = ToB2(_vertices[i]);
        }
        polygon.Set(points, (int32)_vertices.size());
    }

    b2FixtureDef fixtureDef;
    fixtureDef.shape = shape;
    fixtureDef.friction = _friction;
    fixtureDef.restitution = _restitution;
    fixtureDef.density = _density;
    fixtureDef.isSensor = _isSensor;
    fixtureDef.filter.categoryBits = 0x0001;
    fixtureDef.filter.maskBits = 0xFFFF;
    fixtureDef.filter.groupIndex = (int16)_groupIndex;

    InitShape(shape);

    b2BodyDef bodyDef;
    bodyDef.position = ToB2(GetPosition());
    bodyDef.angle = GetRotation() * kDegreesToRadians;
    bodyDef.fixedRotation = _fixedRotation;
    bodyDef.type = std::fabs(_density) >= kStaticDensity ? b2_dynamicBody : b2_staticBody;
    bodyDef.userData.pointer = reinterpret_cast<uintptr_t>(this);

    // A second run replaces the body instead of leaving the first one in the world.
    DestroyBody();
    _body = World::GetInstance()->GetPhysicsWorld()->CreateBody(&bodyDef);
    _body->CreateFixture(&fixtureDef);

    CustomInitPhysics();
}

void PhysicsActor::CustomInitPhysics() {}

void PhysicsActor::InitShape(b2Shape*) {}

void PhysicsActor::SyncFromBody(float x, float y, float degrees)
{
    Actor::SetPosition(x, y);
    // Bodies that spin for long build up huge angles; fmod first so the loops stay short.
    degrees = std::fmod(degrees, 360.0f);
    while (degrees > 180.0f)
    {
        degrees -= 360.0f;
    }
    while (degrees < -180.0f)
    {
        degrees += 360.0f;
    }
    Actor::SetRotation(degrees);
}
