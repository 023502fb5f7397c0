#pragma once

#include "engine/core/Renderable.h"
#include "engine/messaging/MessageListener.h"
#include "engine/sound/SoundHandles.h"

// The one object through which a game plugs into the World: updated and drawn every frame
// beside the layers, asked which renderables survive an unload, told when sounds end.
class GameManager : public Renderable, public MessageListener
{
public:
    virtual bool IsProtectedFromUnload(Renderable* renderable);
    virtual void SoundEnded(ZarvoSoundHandle sound);
};
