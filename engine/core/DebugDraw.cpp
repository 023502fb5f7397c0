#include "engine/core/DebugDraw.h"

#include <GL/gl.h>

DebugDrawBase::DebugDrawBase() : _lifetime(0.0f), _permanent(false), _color(1.0f, 1.0f, 1.0f, 1.0f) {}

DebugDrawBase::~DebugDrawBase() {}

DebugLine::DebugLine(const Vector2& from, const Vector2& to)
{
    _points[0] = from;
    _points[1] = to;
}

namespace
{
void DrawVertices(GLenum mode, const float* vertices, int count)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glDrawArrays(mode, 0, count);
}
}

void DebugLine::Draw()
{
    DrawLine(_points[0], _points[1]);
}

void DrawCross(const Vector2& centre, float size)
{
    const float half = size * 0.5f;
    const float vertices[] = {
        centre.X - half, centre.Y, centre.X + half, centre.Y,
        centre.X, centre.Y - half, centre.X, centre.Y + half,
    };
    DrawVertices(GL_LINES, vertices, 4);
}

void DrawBoxOutline(const Vector2& centre, float size)
{
    const float half = size * 0.5f;
    const float vertices[] = {
        centre.X - half, centre.Y - half, centre.X - half, centre.Y + half,
        centre.X + half, centre.Y + half, centre.X + half, centre.Y - half,
    };
    DrawVertices(GL_LINE_LOOP, vertices, 4);
}

void DrawLine(const Vector2& from, const Vector2& to)
{
    const float vertices[] = {from.X, from.Y, to.X, to.Y};
    DrawVertices(GL_LINES, vertices, 2);
}
