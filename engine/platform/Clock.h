#pragma once

// Monotonic time and sleeping for the main loop's frame limiter.
namespace Platform
{
    // Seconds since the first call in this process. Counted from a process-local
    // origin so the double keeps sub-microsecond resolution after days of uptime.
    double MonotonicSeconds();

    // Raw tick count of the monotonic clock and the number of ticks per second.
    long long PerformanceCounter();
    long long PerformanceFrequency();

    // Blocks the calling thread for at least ms milliseconds; 0 only yields,
    // negative values return at once.
    void SleepMilliseconds(int ms);
}
