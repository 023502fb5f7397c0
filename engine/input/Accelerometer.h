#pragma once

#include "engine/math/Vector3.h"

// A device's acceleration as scripts for mobile devices read it. The desktop has no
// accelerometer, so the reading stays zero.
class Accelerometer
{
public:
    static Accelerometer* GetInstance();

    Vector3 GetData() const { return _data; }

private:
    Accelerometer() {}

    static Accelerometer* s_instance;

    Vector3 _data;
};
