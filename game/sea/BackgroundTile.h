#pragma once

#include "engine/actors/Actor.h"

// One 20 by 20 tile of animated sea; mirrored tiles run the horizontally mirrored frames so
// neighbouring columns differ.
class BackgroundTile : public Actor
{
public:
    explicit BackgroundTile(bool mirrored);
};
