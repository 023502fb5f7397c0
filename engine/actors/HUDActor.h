#pragma once

#include "engine/actors/Actor.h"

// An actor placed and sized in window pixels, origin at the top-left corner and y downward,
// drawn over the world without the camera's transformation.
class HUDActor : public Actor
{
public:
    HUDActor();

    void Render() override;
    String GetClassName() const override;
};
