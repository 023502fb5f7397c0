#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vector2.h"

// A timed debug item the World draws after everything else.
class DebugDrawBase
{
public:
    DebugDrawBase();
    virtual ~DebugDrawBase();
    virtual void Draw() = 0;

    float _lifetime;
    bool _permanent;
    Color _color;
};

class DebugLine : public DebugDrawBase
{
public:
    DebugLine(const Vector2& from, const Vector2& to);
    void Draw() override;

    Vector2 _points[2];
};

// Immediate debug shapes in the current colour, for other parts of the engine.
void DrawCross(const Vector2& centre, float size);
void DrawBoxOutline(const Vector2& centre, float size);
void DrawLine(const Vector2& from, const Vector2& to);
