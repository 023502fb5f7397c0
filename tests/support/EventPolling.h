#pragma once

#include <functional>

// Runs the window library's event polling, as the end of each frame does, until the
// condition holds or the time is up; true when the condition held.
bool PollEventsUntil(const std::function<bool()>& condition, double seconds = 5.0);
