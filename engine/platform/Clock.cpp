#include "engine/platform/Clock.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <sched.h>

namespace
{
    typedef std::chrono::steady_clock MonotonicClock;

    MonotonicClock::time_point ProcessOrigin()
    {
        static const MonotonicClock::time_point origin = MonotonicClock::now();
        return origin;
    }
}

namespace Platform
{
    double MonotonicSeconds()
    {
        const MonotonicClock::time_point origin = ProcessOrigin();
        const std::chrono::duration<double> elapsed = MonotonicClock::now() - origin;
        return elapsed.count();
    }

    long long PerformanceCounter()
    {
        const std::chrono::nanoseconds ticks = MonotonicClock::now().time_since_epoch();
        return static_cast<long long>(ticks.count());
    }

    long long PerformanceFrequency()
    {
        return static_cast<long long>(std::nano::den / std::nano::num);
    }

    void SleepMilliseconds(int ms)
    {
        if (ms < 0)
            return;
        if (ms == 0)
        {
            sched_yield();
            return;
        }
        timespec remaining;
        remaining.tv_sec = ms / 1000;
        remaining.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
        // A signal cuts the sleep short; carry on with whatever time is left.
        while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR)
        {
        }
    }
}
