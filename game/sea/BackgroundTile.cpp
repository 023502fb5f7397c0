#include "game/sea/BackgroundTile.h"

#include "engine/core/World.h"

namespace
{
    const int BackgroundLayer = 1;
    const float FrameSeconds = 0.05f;
    const int LastFrame = 24;

    const String& FirstFrameFile(bool mirrored)
    {
        static const String files[2] = {"Resources/Images/waves/waves_0000.png",
                                        "Resources/Images/waves_mirrored/waves_0000.png"};
        return files[mirrored ? 1 : 0];
    }
}

BackgroundTile::BackgroundTile(bool mirrored)
{
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetPosition(0.0f, 0.0f);
    SetSize(20.0f, 20.0f);
    LoadSpriteFrames(FirstFrameFile(mirrored), GL_CLAMP_TO_EDGE, GL_LINEAR);
    PlaySpriteAnimation(FrameSeconds, SAT_Loop, 0, LastFrame);
    World::GetInstance()->Add(this, BackgroundLayer);
}
