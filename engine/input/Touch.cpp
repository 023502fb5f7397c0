#include "engine/input/Touch.h"

#include "engine/core/World.h"

Touch::Touch()
    : StartTime(World::GetInstance()->GetCurrentTimeSeconds()), MotionStartTime(-1.0f), __platformTouch(0)
{
}
