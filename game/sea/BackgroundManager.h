#pragma once

class BackgroundTile;
class PhysicsActor;
class Renderable;

// The sea the battle is fought on: 7 by 7 animated tiles covering x and y from -10 to 130,
// closed by four grey walls that throw ships back hard.
class BackgroundManager
{
public:
    static const int TilesPerSide = 7;
    static const int WallCount = 4;

    BackgroundManager();
    virtual ~BackgroundManager();

    BackgroundTile* GetTile(int column, int row) const { return _tiles[column * TilesPerSide + row]; }
    // Right, top, left, bottom.
    PhysicsActor* GetWall(int index) const { return _walls[index]; }
    // One of its tiles or walls.
    bool IsPartOf(const Renderable* renderable) const;

private:
    PhysicsActor* _walls[WallCount];
    BackgroundTile* _tiles[TilesPerSide * TilesPerSide];
};
