#include "game/screens/BattleHUD.h"

#include "engine/actors/HUDActor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/Camera.h"
#include "game/core/GameConstants.h"
#include "game/screens/IndicatorLayout.h"
#include "game/ships/Ship.h"
#include "game/core/SkarrowGameManager.h"

#include <cmath>

namespace
{
    const int IconLayer = 10;
    const int TextLayer = 11;
    const int TextBelowIcon = 15;
}

BattleHUD::BattleHUD()
{
    SetColor(0.0f, 0.0f, 0.0f, 0.0f);
}

BattleHUD::~BattleHUD()
{
}

void BattleHUD::Update(float dt)
{
    Actor::Update(dt);
    UpdateEnemyIndicators();
}

void BattleHUD::PreDestroy()
{
    for (HUDActor* icon : _icons)
        if (!icon->IsDestroyed())
            icon->Destroy();
    for (TextActor* text : _texts)
        if (!text->IsDestroyed())
            text->Destroy();
}

bool BattleHUD::IsPartOf(const Renderable* renderable) const
{
    if (renderable == this)
        return true;
    for (size_t i = 0; i < _icons.size(); ++i)
        if (renderable == _icons[i] || renderable == _texts[i])
            return true;
    return false;
}

void BattleHUD::AddIndicator()
{
    HUDActor* icon = new HUDActor();
    icon->SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    icon->SetSize(50.0f, 33.0f);
    icon->SetSprite("Resources/Images/ship_icon.png", 0, GL_CLAMP, GL_LINEAR);
    // Pooled for the HUD's life and destroyed with it.
    icon->SetHolder(GameHolder);
    World::GetInstance()->Add(icon, IconLayer);

    TextActor* text = new TextActor("Console", "");
    text->SetLineSpacing(5);
    text->SetAlignment(TXT_Center);
    text->SetColor(0.5f, 0.5f, 0.5f, 1.0f);
    text->SetHolder(GameHolder);
    World::GetInstance()->Add(text, TextLayer);

    _icons.push_back(icon);
    _texts.push_back(text);
}

void BattleHUD::UpdateEnemyIndicators()
{
    SkarrowGameManager* game = SkarrowGameManager::GetInstance();
    const Ship* player = game->GetPlayerShip();
    if (!player)
        return;

    Camera* camera = Camera::GetInstance();
    const IndicatorLayout layout(camera->GetWindowWidth(), camera->GetWindowHeight(), MathUtil::GetWorldDimensions().X);
    size_t used = 0;
    for (const Ship* enemy : game->GetEnemies())
    {
        if (used == _icons.size())
            AddIndicator();
        const Vector2 offset = enemy->GetPosition() - player->GetPosition();
        const float distance = offset.Length();
        if (!layout.ShowsIndicator(distance))
            continue;
        const Vector2 icon = layout.IconPosition(offset);
        _icons[used]->SetPosition(icon);
        _icons[used]->SetAlpha(1.0f);
        _texts[used]->SetAlpha(1.0f);
        _texts[used]->SetPosition(MathUtil::ScreenToWorld(ToTextPixel(icon.X), ToTextPixel(std::trunc(icon.Y) + TextBelowIcon)));
        _texts[used]->SetDisplayString(IndicatorLayout::DistanceText(distance));
        ++used;
    }
    for (size_t hidden = used; hidden < _icons.size(); ++hidden)
    {
        _icons[hidden]->SetAlpha(0.0f);
        _texts[hidden]->SetAlpha(0.0f);
    }
}
