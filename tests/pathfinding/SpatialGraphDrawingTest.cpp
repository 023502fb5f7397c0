// The spatial graph's debug drawing, read back from the World's window.
#include "engine/math/MathUtil.h"
#include "engine/pathfinding/SpatialGraphManager.h"
#include "pathfinding/PathfindingTestSupport.h"
#include "support/WorldWindow.h"

namespace
{
class SpatialGraphDrawingTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        SetAllFlags(false);
    }

    void TearDown() override { SetAllFlags(false); }

    void SetAllFlags(bool draw)
    {
        SpatialGraphManager* manager = SpatialGraphManager::GetInstance();
        manager->SetDrawBounds(draw);
        manager->SetDrawBlocked(draw);
        manager->SetDrawGridPoints(draw);
        manager->SetDrawGraph(draw);
        manager->SetDrawNodeIndex(draw);
    }

    Pixel PixelAt(const Vector2& world)
    {
        const Vector2 screen = MathUtil::WorldToScreen(world);
        return ReadPixel((int)screen.X, (int)screen.Y);
    }

    Obstacles obstacles;
};

// White under a quarter of red.
const int kPink[3] = {255, 191, 191};
}

TEST_F(SpatialGraphDrawingTest, BlockedCellsAreTranslucentRedWhereTheObstaclesAre)
{
    SpatialGraphManager* manager = SpatialGraphManager::GetInstance();
    obstacles.AddBox(Vector2(3.0f, 2.0f), Vector2(1.0f, 1.0f));
    obstacles.AddCircle(Vector2(-4.0f, -2.0f), 0.8f);
    ASSERT_TRUE(manager->CreateGraph(1.0f, BoundingBox(Vector2(-8.0f, -6.0f), Vector2(8.0f, 6.0f))));

    // Nothing is drawn until a flag asks for it.
    RenderFrame();
    EXPECT_TRUE(IsColor(PixelAt(Vector2(3.0f, 2.0f)), 255, 255, 255));

    EXPECT_TRUE(manager->ToggleDrawBlocked());
    EXPECT_TRUE(manager->GetDrawBlocked());
    RenderFrame();
    const Vector2 onObstacles[] = {Vector2(3.0f, 2.0f), Vector2(2.2f, 1.2f), Vector2(3.8f, 2.8f),
                                   Vector2(-4.0f, -2.0f), Vector2(-4.6f, -2.0f)};
    for (const Vector2& point : onObstacles)
    {
        EXPECT_TRUE(IsColor(PixelAt(point), kPink[0], kPink[1], kPink[2])) << point.X << ", " << point.Y;
    }
    const Vector2 awayFromObstacles[] = {Vector2(0.0f, 0.0f), Vector2(3.0f, 4.6f), Vector2(5.6f, 2.0f),
                                         Vector2(-4.0f, 1.0f), Vector2(6.0f, -4.0f)};
    for (const Vector2& point : awayFromObstacles)
    {
        EXPECT_TRUE(IsColor(PixelAt(point), 255, 255, 255)) << point.X << ", " << point.Y;
    }

    // The other drawings add lines and squares; the blocked cells stay where they were.
    SetAllFlags(true);
    RenderFrame();
    EXPECT_GT(CountPixels(0, 0, Width, Height, 0, 153, 0, 40), 0);
    EXPECT_TRUE(IsColor(PixelAt(Vector2(3.3f, 2.3f)), kPink[0], kPink[1], kPink[2]));
}

TEST_F(SpatialGraphDrawingTest, NodeIndicesGoOnlyBesideAnotherDrawingAndProbePointsAreSmallSquares)
{
    SpatialGraphManager* manager = SpatialGraphManager::GetInstance();
    // One free leaf over 8 x 6 units; its finest cells are 1 wide and 0.75 tall.
    ASSERT_TRUE(manager->CreateGraph(1.0f, BoundingBox(Vector2(-4.0f, -3.0f), Vector2(4.0f, 3.0f))));
    manager->SetDrawNodeIndex(true);
    RenderFrame();
    EXPECT_TRUE(RegionIs(0, 0, Width, Height, 255, 255, 255));
    manager->SetDrawNodeIndex(false);

    // A hollow blue square (under 6 pixels) on each probe point, one finest cell outside the
    // leaf, and none on the centre of the leaf's own cell below it.
    manager->SetDrawGridPoints(true);
    RenderFrame();
    const Vector2 probe = MathUtil::WorldToScreen(Vector2(-3.5f, 3.375f));
    const Vector2 inside = MathUtil::WorldToScreen(Vector2(-3.5f, 2.625f));
    const int px = (int)probe.X, py = (int)probe.Y, ix = (int)inside.X, iy = (int)inside.Y;
    EXPECT_GT(CountPixels(px - 5, py - 5, px + 6, py + 6, 0, 0, 255, 40), 8);
    EXPECT_TRUE(IsColor(ReadPixel(px, py), 255, 255, 255));
    EXPECT_EQ(0, CountPixels(px - 12, py - 12, px - 5, py + 12, 0, 0, 255, 40));
    EXPECT_EQ(0, CountPixels(ix - 6, iy - 6, ix + 7, iy + 7, 0, 0, 255, 40));
}
