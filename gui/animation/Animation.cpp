#include "gui/animation/Animation.h"

#include "gui/platform/Clock.h"

#include <cmath>

namespace Gui
{
namespace Anim
{
TimedAnimation::TimedAnimation(float length, float delay, float ease) : _ease(ease)
{
    const float now = WindowsLayer::GetTime();
    _start = now + delay;
    _end = now + delay + length;
}

void TimedAnimation::Think()
{
    if (_finished)
    {
        return;
    }
    const float elapsed = WindowsLayer::GetTime() - _start;
    if (elapsed < 0.0f)
    {
        return;
    }
    if (!_started)
    {
        _started = true;
        OnStart();
    }
    const float length = _end - _start;
    // A zero length is over as soon as it starts.
    float progress = length > 0.0f ? elapsed / length : 1.0f;
    progress = progress < 0.0f ? 0.0f : progress > 1.0f ? 1.0f : progress;
    const float value = _ease < 0.0f ? -0.5f * progress * (std::cos(3.14159f * progress) - 1.0f)
                                     : std::pow(progress, _ease);
    Run(value);
    if (progress == 1.0f)
    {
        _finished = true;
        OnFinish();
    }
}
}
}
