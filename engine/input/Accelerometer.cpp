#include "engine/input/Accelerometer.h"

Accelerometer* Accelerometer::s_instance = 0;

Accelerometer* Accelerometer::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new Accelerometer();
    }
    return s_instance;
}
