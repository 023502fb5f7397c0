#pragma once

// The handling formulas a ship's update applies each tick, kept free of the physics so the
// numbers can be checked on their own.

// Turning power for a speed setting: none at a standstill, best at moderate speed (about
// 0.84 near 55 % of the top speed), 0.33 at full speed. A ship that cannot move cannot turn.
float TurnFactor(float speed, float maxSpeed);

// The speed setting after a tick of throttle (-1 .. 1), kept within min .. max speed.
float NextSpeedSetting(float speed, float acceleration, float throttle, float dt,
                       float minSpeed, float maxSpeed);

// Size of the water-drag impulse for a tick: (e^(drag dt) - 1) times the speed, but never
// more than what stops the motion (mass times speed), so a long frame can't reverse it.
// Works the same for linear motion (mass) and rotation (rotational inertia).
float DragImpulse(float drag, float dt, float speed, float mass);
