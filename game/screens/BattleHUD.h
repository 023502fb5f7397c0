#pragma once

#include "engine/actors/FullScreenActor.h"

#include <vector>

class HUDActor;
class TextActor;

// The battle overlay: points at enemies out of sight with a ship icon on a ring around the
// screen centre and their distance beneath it. Icon and text pairs are pooled; pairs not in
// use are hidden, never removed, while the HUD lives.
class BattleHUD : public FullScreenActor
{
public:
    BattleHUD();
    virtual ~BattleHUD();

    void Update(float dt) override;
    void PreDestroy() override;

    // The HUD itself or one of its indicator icons and texts.
    bool IsPartOf(const Renderable* renderable) const;

    const std::vector<HUDActor*>& GetIcons() const { return _icons; }
    const std::vector<TextActor*>& GetTexts() const { return _texts; }

private:
    void UpdateEnemyIndicators();
    void AddIndicator();

    std::vector<HUDActor*> _icons;
    std::vector<TextActor*> _texts;
};
