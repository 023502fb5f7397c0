#pragma once

#include "engine/math/Vector2.h"

#include <vector>

class b2Body;

// Static obstacles made straight in the World's physics world (set up on first use) and
// destroyed again with the fixture, so graphs built in later tests don't see them.
class Obstacles
{
public:
    Obstacles();
    ~Obstacles();

    b2Body* AddBox(const Vector2& centre, const Vector2& halfExtents, float angleRadians = 0.0f);
    b2Body* AddCircle(const Vector2& centre, float radius);

private:
    b2Body* AddBody(const Vector2& centre, float angleRadians);

    std::vector<b2Body*> _bodies;
};
