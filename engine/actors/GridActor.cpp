#include "engine/actors/GridActor.h"

#include "engine/log/CompoundLog.h"

#include <GL/gl.h>

namespace
{
const float kDefaultInterval = 1.0f;

void LogRefusedInterval(float interval, float kept)
{
    CompoundLog::GetSystemLog().Printf(
        "WARNING: Grid interval must be above 0, not %g; keeping %g.", interval, kept);
}
}

GridActor::GridActor()
    : _lineColor(0.76f, 0.83f, 1.0f, 1.0f), _axisColor(1.0f, 0.41f, 0.6f, 1.0f),
      _interval(kDefaultInterval), _minCoord(-20.0f, -20.0f), _maxCoord(20.0f, 20.0f)
{
    RebuildLines();
}

GridActor::GridActor(const Color& lines, const Color& axis, float interval,
                     const Vector2& minCoord, const Vector2& maxCoord)
    : _lineColor(lines), _axisColor(axis), _interval(kDefaultInterval), _minCoord(minCoord),
      _maxCoord(maxCoord)
{
    if (IsUsableInterval(interval))
    {
        _interval = interval;
    }
    else
    {
        LogRefusedInterval(interval, _interval);
    }
    RebuildLines();
}

GridActor::~GridActor() {}

void GridActor::Update(float /*dt*/) {}

void GridActor::Render()
{
    glEnableClientState(GL_VERTEX_ARRAY);
    // Nothing here has texture coordinates; an array left enabled by an earlier draw may
    // point into an actor that has since been deleted.
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glLineWidth(1.0f);

    glColor4f(_lineColor.R, _lineColor.G, _lineColor.B, 1.0f);
    glVertexPointer(2, GL_FLOAT, 0, _linePoints.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(_linePoints.size() / 2));

    glColor4f(_axisColor.R, _axisColor.G, _axisColor.B, 1.0f);
    glVertexPointer(2, GL_FLOAT, 0, _axisPoints);
    glDrawArrays(GL_LINES, 0, 4);
}

void GridActor::SetInterval(float interval)
{
    if (!IsUsableInterval(interval))
    {
        LogRefusedInterval(interval, _interval);
        return;
    }
    _interval = interval;
    RebuildLines();
}

void GridActor::SetMinCoord(const Vector2& minCoord)
{
    _minCoord = minCoord;
    RebuildLines();
}

void GridActor::SetMaxCoord(const Vector2& maxCoord)
{
    _maxCoord = maxCoord;
    RebuildLines();
}

bool GridActor::IsUsableInterval(float interval)
{
    // Also false for NaN, which would never move the loops below.
    return interval > 0.0f;
}

const int GridActor::MaxLinesEachWay = 10000;

void GridActor::RebuildLines()
{
    _linePoints.clear();
    // Each loop also stops when a step no longer moves the coordinate (an interval lost
    // in the rounding of far-off coordinates), so it always ends.
    int lines = 0;
    for (float x = _minCoord.X; x < _maxCoord.X && lines < MaxLinesEachWay; x += _interval, ++lines)
    {
        const float line[4] = {x, _minCoord.Y, x, _maxCoord.Y};
        _linePoints.insert(_linePoints.end(), line, line + 4);
        if (x + _interval == x)
        {
            break;
        }
    }
    const bool wideCut = lines == MaxLinesEachWay;
    lines = 0;
    for (float y = _minCoord.Y; y < _maxCoord.Y && lines < MaxLinesEachWay; y += _interval, ++lines)
    {
        const float line[4] = {_minCoord.X, y, _maxCoord.X, y};
        _linePoints.insert(_linePoints.end(), line, line + 4);
        if (y + _interval == y)
        {
            break;
        }
    }
    if (wideCut || lines == MaxLinesEachWay)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: A grid draws at most %d lines each way; the lines beyond them are left out.", MaxLinesEachWay);
    }
    _axisPoints[0] = Vector2(_minCoord.X, 0.0f);
    _axisPoints[1] = Vector2(_maxCoord.X, 0.0f);
    _axisPoints[2] = Vector2(0.0f, _minCoord.Y);
    _axisPoints[3] = Vector2(0.0f, _maxCoord.Y);
}
