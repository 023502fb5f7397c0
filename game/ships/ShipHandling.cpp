#include "game/ships/ShipHandling.h"

#include <algorithm>
#include <cmath>

namespace
{
const float Pi = 3.14159265f;
}

float TurnFactor(float speed, float maxSpeed)
{
    if (maxSpeed <= 0.0f)
        return 0.0f;
    float ratio = speed / maxSpeed;
    return 0.67f * std::sin(Pi * ratio) + 0.33f * ratio;
}

float NextSpeedSetting(float speed, float acceleration, float throttle, float dt,
                       float minSpeed, float maxSpeed)
{
    speed += acceleration * throttle * dt;
    if (speed < minSpeed)
        speed = minSpeed;
    if (speed > maxSpeed)
        speed = maxSpeed;
    return speed;
}

float DragImpulse(float drag, float dt, float speed, float mass)
{
    float impulse = (std::exp(drag * dt) - 1.0f) * speed;
    return std::min(impulse, mass * speed);
}
