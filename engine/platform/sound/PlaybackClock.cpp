#include "engine/platform/sound/PlaybackClock.h"

#include "engine/platform/Clock.h"

namespace SoundLib
{
PlaybackClock::PlaybackClock() : _accumulated(0.0), _resumedAt(0.0), _running(false) {}

void PlaybackClock::Start(bool paused)
{
    _accumulated = 0.0;
    _running = false;
    SetPaused(paused);
}

void PlaybackClock::SetPaused(bool paused)
{
    if (paused && _running)
    {
        _accumulated += Platform::MonotonicSeconds() - _resumedAt;
        _running = false;
    }
    else if (!paused && !_running)
    {
        _resumedAt = Platform::MonotonicSeconds();
        _running = true;
    }
}

double PlaybackClock::GetSeconds() const
{
    if (!_running)
    {
        return _accumulated;
    }
    return _accumulated + Platform::MonotonicSeconds() - _resumedAt;
}
}
