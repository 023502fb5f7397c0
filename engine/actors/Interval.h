#pragma once

#include "engine/math/MathUtil.h"

// A timed change of one value (float, Vector2, Vector3 or Color) from start to end over a
// duration, stepped linearly or eased in and out.
template <typename T>
class Interval
{
public:
    // Inactive, with every value at T's default (zero, or opaque white for Color).
    Interval() : _start(), _end(), _current(), _duration(0.0f), _elapsed(0.0f), _active(false), _smooth(false) {}

    Interval(const T& start, const T& end, float duration, bool smooth = false)
        : _start(start), _end(end), _current(start), _duration(duration), _elapsed(0.0f), _active(true),
          _smooth(smooth)
    {
    }

    // Advances by dt and returns the value now; a zero duration finishes at the first step.
    T Step(float dt)
    {
        if (!_active)
        {
            return _current;
        }
        _elapsed += dt;
        if (_elapsed >= _duration)
        {
            _active = false;
            _current = _end;
            return _current;
        }
        const float t = _elapsed / _duration;
        _current = _smooth ? MathUtil::SmoothStep(_start, _end, t) : MathUtil::Lerp(_start, _end, t);
        return _current;
    }

    bool IsActive() const { return _active; }
    const T& GetStart() const { return _start; }
    const T& GetEnd() const { return _end; }
    const T& GetCurrent() const { return _current; }
    float GetDuration() const { return _duration; }
    float GetElapsed() const { return _elapsed; }
    bool IsSmooth() const { return _smooth; }

private:
    T _start;
    T _end;
    T _current;
    float _duration;
    float _elapsed;
    bool _active;
    bool _smooth;
};
