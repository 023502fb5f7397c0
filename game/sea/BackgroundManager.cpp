#include "game/sea/BackgroundManager.h"

#include "engine/core/World.h"
#include "engine/physics/PhysicsActor.h"
#include "game/core/GameConstants.h"
#include "game/sea/BackgroundTile.h"

namespace
{
    const int BackgroundLayer = 1;
    const float TileSize = 20.0f;
    const int WallGroup = 2;

    struct WallPlacement
    {
        float x, y, width, height;
    };
    const WallPlacement Walls[BackgroundManager::WallCount] = {
        {140.0f, 70.0f, 20.0f, 180.0f},   // right
        {70.0f, 140.0f, 180.0f, 20.0f},   // top
        {-20.0f, 60.0f, 20.0f, 180.0f},   // left
        {60.0f, -20.0f, 180.0f, 20.0f}};  // bottom
}

BackgroundManager::BackgroundManager()
{
    for (int column = 0; column < TilesPerSide; ++column)
        for (int row = 0; row < TilesPerSide; ++row)
        {
            BackgroundTile* tile = new BackgroundTile(column % 2 == 1);
            tile->SetPosition(TileSize * column, TileSize * row);
            tile->SetHolder(GameHolder);
            _tiles[column * TilesPerSide + row] = tile;
        }

    for (int i = 0; i < WallCount; ++i)
    {
        PhysicsActor* wall = new PhysicsActor();
        wall->SetPosition(Walls[i].x, Walls[i].y);
        wall->SetSize(Walls[i].width, Walls[i].height);
        wall->SetColor(0.5f, 0.5f, 0.5f, 1.0f);
        wall->SetHolder(GameHolder);
        World::GetInstance()->Add(wall, BackgroundLayer);
        wall->SetDensity(0.0f);
        wall->SetFriction(0.01f);
        wall->SetRestitution(2.0f);
        wall->SetShapeType(PhysicsActor::SHAPETYPE_BOX);
        wall->SetGroupIndex(WallGroup);
        wall->InitPhysics();
        _walls[i] = wall;
    }
}

BackgroundManager::~BackgroundManager()
{
    for (BackgroundTile* tile : _tiles)
        if (!tile->IsDestroyed())
            tile->Destroy();
    for (PhysicsActor* wall : _walls)
        if (!wall->IsDestroyed())
            wall->Destroy();
}

bool BackgroundManager::IsPartOf(const Renderable* renderable) const
{
    for (const BackgroundTile* tile : _tiles)
    {
        if (renderable == tile)
            return true;
    }
    for (const PhysicsActor* wall : _walls)
    {
        if (renderable == wall)
            return true;
    }
    return false;
}
