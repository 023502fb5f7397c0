#pragma once

#include "engine/core/Renderable.h"
#include "engine/math/Color.h"
#include "engine/math/Vector2.h"

#include <vector>

// A world-space line grid with its two axes, drawn through the camera as a reference
// for laying out scenes.
class GridActor : public Renderable
{
public:
    GridActor();
    GridActor(const Color& lines, const Color& axis, float interval, const Vector2& minCoord,
              const Vector2& maxCoord);
    virtual ~GridActor();

    void Update(float dt) override;
    void Render() override;

    // Colours are drawn opaque; their alpha is ignored.
    void SetLineColor(const Color& color) { _lineColor = color; }
    Color GetLineColor() const { return _lineColor; }
    void SetAxisColor(const Color& color) { _axisColor = color; }
    Color GetAxisColor() const { return _axisColor; }

    // Each setter rebuilds every line. Refused with a "WARNING: " line, keeping the grid as it
    // was: an interval that is not above 0, a non-finite value, an interval too small to move
    // past the coordinates, and a grid whose lines don't fit in memory. The constructor falls
    // back to the default for a refused value; a grid it can't build draws only its axes.
    void SetInterval(float interval);
    float GetInterval() const { return _interval; }
    void SetMinCoord(const Vector2& minCoord);
    Vector2 GetMinCoord() const { return _minCoord; }
    void SetMaxCoord(const Vector2& maxCoord);
    Vector2 GetMaxCoord() const { return _maxCoord; }

    // Two (x, y) points per grid line; exposed for checking the layout.
    const std::vector<float>& GetLinePoints() const { return _linePoints; }

private:
    bool IsUsableInterval(float interval) const;
    static bool IsUsableCorner(const Vector2& corner);
    // Replaces the line points; false (with a "WARNING: " line, the points kept) when they
    // can't be built.
    bool BuildLines(float interval, const Vector2& minCoord, const Vector2& maxCoord);
    void PlaceAxes();

    Color _lineColor;
    Color _axisColor;
    float _interval;
    Vector2 _minCoord;
    Vector2 _maxCoord;
    std::vector<float> _linePoints;
    Vector2 _axisPoints[4];
};
