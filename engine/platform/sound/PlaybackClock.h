#pragma once

namespace SoundLib
{
// How long a sound has been heard: runs while it plays, stands still while it is paused.
// Silent channels end by this clock, so their end is reported as if they had been heard.
class PlaybackClock
{
public:
    PlaybackClock();

    void Start(bool paused);
    void SetPaused(bool paused);
    double GetSeconds() const;

private:
    double _accumulated;
    double _resumedAt;
    bool _running;
};
}
