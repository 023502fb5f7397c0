#include "pathfinding/PathfindingTestSupport.h"

#include "engine/core/World.h"

#include <box2d/box2d.h>

Obstacles::Obstacles()
{
    World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0);
}

Obstacles::~Obstacles()
{
    for (b2Body* body : _bodies)
    {
        World::GetInstance()->GetPhysicsWorld()->DestroyBody(body);
    }
}

b2Body* Obstacles::AddBody(const Vector2& centre, float angleRadians)
{
    b2BodyDef definition;
    definition.type = b2_staticBody;
    definition.position.Set(centre.X, centre.Y);
    definition.angle = angleRadians;
    b2Body* body = World::GetInstance()->GetPhysicsWorld()->CreateBody(&definition);
    _bodies.push_back(body);
    return body;
}

b2Body* Obstacles::AddBox(const Vector2& centre, const Vector2& halfExtents, float angleRadians)
{
    b2Body* body = AddBody(centre, angleRadians);
    b2PolygonShape shape;
    shape.SetAsBox(halfExtents.X, halfExtents.Y);
    body->CreateFixture(&shape, 0.0f);
    return body;
}

b2Body* Obstacles::AddCircle(const Vector2& centre, float radius)
{
    b2Body* body = AddBody(centre, 0.0f);
    b2CircleShape shape;
    shape.m_radius = radius;
    body->CreateFixture(&shape, 0.0f);
    return body;
}
