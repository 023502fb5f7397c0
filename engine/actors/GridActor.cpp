#include "engine/actors/GridActor.h"

#include "engine/log/CompoundLog.h"
#include "engine/util/TryReserve.h"

#include <GL/gl.h>

#include <cmath>

namespace
{
const float kDefaultInterval = 1.0f;
const Vector2 kDefaultMinCoord(-20.0f, -20.0f);
const Vector2 kDefaultMaxCoord(20.0f, 20.0f);

// How many lines a grid has from 'from' up to (not at) 'to'; false when a step no longer moves
// the coordinate (an interval lost in the rounding of far-off coordinates) before 'to'.
bool CountLines(float from, float to, float interval, size_t& count)
{
    count = 0;
    for (float at = from; at < to; at += interval, ++count)
    {
        if (at + interval == at)
        {
            return false;
        }
    }
    return true;
}
}

GridActor::GridActor()
    : _lineColor(0.76f, 0.83f, 1.0f, 1.0f), _axisColor(1.0f, 0.41f, 0.6f, 1.0f), _interval(kDefaultInterval),
      _minCoord(kDefaultMinCoord), _maxCoord(kDefaultMaxCoord)
{
    BuildLines(_interval, _minCoord, _maxCoord);
    PlaceAxes();
}

GridActor::GridActor(const Color& lines, const Color& axis, float interval, const Vector2& minCoord,
                     const Vector2& maxCoord)
    : _lineColor(lines), _axisColor(axis), _interval(kDefaultInterval), _minCoord(kDefaultMinCoord),
      _maxCoord(kDefaultMaxCoord)
{
    if (IsUsableInterval(interval))
    {
        _interval = interval;
    }
    if (IsUsableCorner(minCoord))
    {
        _minCoord = minCoord;
    }
    if (IsUsableCorner(maxCoord))
    {
        _maxCoord = maxCoord;
    }
    BuildLines(_interval, _minCoord, _maxCoord);
    PlaceAxes();
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
    if (IsUsableInterval(interval) && BuildLines(interval, _minCoord, _maxCoord))
    {
        _interval = interval;
    }
}

void GridActor::SetMinCoord(const Vector2& minCoord)
{
    if (IsUsableCorner(minCoord) && BuildLines(_interval, minCoord, _maxCoord))
    {
        _minCoord = minCoord;
        PlaceAxes();
    }
}

void GridActor::SetMaxCoord(const Vector2& maxCoord)
{
    if (IsUsableCorner(maxCoord) && BuildLines(_interval, _minCoord, maxCoord))
    {
        _maxCoord = maxCoord;
        PlaceAxes();
    }
}

// Also false for NaN, which would never move the loops below.
bool GridActor::IsUsableInterval(float interval) const
{
    if (interval > 0.0f && std::isfinite(interval))
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("WARNING: Grid interval must be finite and above 0, not %g; keeping %g.", interval,
                                       _interval);
    return false;
}

bool GridActor::IsUsableCorner(const Vector2& corner)
{
    if (std::isfinite(corner.X) && std::isfinite(corner.Y))
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("WARNING: A grid's corners must be finite, not (%g, %g); keeping the grid as it was.",
                                       corner.X, corner.Y);
    return false;
}

bool GridActor::BuildLines(float interval, const Vector2& minCoord, const Vector2& maxCoord)
{
    size_t columns = 0;
    size_t rows = 0;
    if (!CountLines(minCoord.X, maxCoord.X, interval, columns) || !CountLines(minCoord.Y, maxCoord.Y, interval, rows))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A grid interval of %g doesn't move past the coordinates from (%g, %g) "
                                           "to (%g, %g); keeping the grid as it was.",
                                           interval, minCoord.X, minCoord.Y, maxCoord.X, maxCoord.Y);
        return false;
    }
    std::vector<float> points;
    if (!TryReserve(points, (columns + rows) * 4))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A grid of %zu lines doesn't fit in memory; keeping the grid as it was.",
                                           columns + rows);
        return false;
    }
    // The same steps as the count, so exactly that many lines.
    for (float x = minCoord.X; x < maxCoord.X; x += interval)
    {
        points.insert(points.end(), {x, minCoord.Y, x, maxCoord.Y});
    }
    for (float y = minCoord.Y; y < maxCoord.Y; y += interval)
    {
        points.insert(points.end(), {minCoord.X, y, maxCoord.X, y});
    }
    _linePoints.swap(points);
    return true;
}

void GridActor::PlaceAxes()
{
    _axisPoints[0] = Vector2(_minCoord.X, 0.0f);
    _axisPoints[1] = Vector2(_maxCoord.X, 0.0f);
    _axisPoints[2] = Vector2(0.0f, _minCoord.Y);
    _axisPoints[3] = Vector2(0.0f, _maxCoord.Y);
}
