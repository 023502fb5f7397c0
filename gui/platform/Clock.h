#pragma once

// The toolkit clock (animations, key repeat, double clicks) and sleeping.
namespace Gui
{
    namespace WindowsLayer
    {
        // Seconds of toolkit time. Each reading adds the real time since the previous one,
        // clamped to at most 0.1 s, so a long stall advances the clock by only 0.1 s. Read it
        // often (the canvas reads it on every think) to keep it close to real time.
        float GetTime();

        // A source of raw seconds for GetTime, for tests that drive time by hand; null
        // restores the monotonic clock. Either way the toolkit clock starts again from zero.
        typedef double (*TimeSource)();
        void SetTimeSource(TimeSource source);

        void Sleep(unsigned int milliseconds);
    }
}
