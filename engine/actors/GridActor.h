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

    // An interval of 0 or below is refused with a warning and the previous one kept.
    void SetInterval(float interval);
    float GetInterval() const { return _interval; }
    void SetMinCoord(const Vector2& minCoord);
    Vector2 GetMinCoord() const { return _minCoord; }
    void SetMaxCoord(const Vector2& maxCoord);
    Vector2 GetMaxCoord() const { return _maxCoord; }
    // Lines beyond this many each way are left out with a "WARNING: " line: far more than a
    // window's pixels tell apart, while a range up to an infinite corner made tens of
    // millions of lines (a gigabyte, half a second a frame).
    static const int MaxLinesEachWay;

    // Two (x, y) points per grid line; exposed for checking the layout.
    const std::vector<float>& GetLinePoints() const { return _linePoints; }

private:
    static bool IsUsableInterval(float interval);
    void RebuildLines();

    Color _lineColor;
    Color _axisColor;
    float _interval;
    Vector2 _minCoord;
    Vector2 _maxCoord;
    std::vector<float> _linePoints;
    Vector2 _axisPoints[4];
};
