#include "gui/platform/Clock.h"

#include <algorithm>
#include <ctime>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
double MonotonicSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

const double kLongestStep = 0.1;

TimeSource s_source = MonotonicSeconds;
double s_lastReading = 0.0;
float s_accumulated = 0.0f;
}

float GetTime()
{
    const double reading = s_source();
    s_accumulated += (float)std::min(reading - s_lastReading, kLongestStep);
    s_lastReading = reading;
    return s_accumulated;
}

void SetTimeSource(TimeSource source)
{
    s_source = source != nullptr ? source : MonotonicSeconds;
    s_lastReading = 0.0;
    s_accumulated = 0.0f;
}

void Sleep(unsigned int milliseconds)
{
    timespec wait;
    wait.tv_sec = milliseconds / 1000;
    wait.tv_nsec = (long)(milliseconds % 1000) * 1000000L;
    while (nanosleep(&wait, &wait) != 0)
    {
        // Interrupted by a signal: sleep the rest.
    }
}
}
}
