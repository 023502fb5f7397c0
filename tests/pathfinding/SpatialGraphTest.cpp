// Spatial graphs built over the physics world, and the paths, straight walks and free cells
// they answer.
#include "engine/pathfinding/SpatialGraph.h"
#include "engine/pathfinding/SpatialGraphKDNode.h"
#include "engine/pathfinding/SpatialGraphManager.h"
#include "pathfinding/PathfindingTestSupport.h"
#include "support/SystemLogCapture.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
// 16 x 16 units; for an entity 1 wide the finest cells are 1 x 1, on whole-number lines.
const BoundingBox kRegion(Vector2(0.0f, 0.0f), Vector2(16.0f, 16.0f));

class SpatialGraphTest : public ::testing::Test
{
protected:
    void SetUp() override { SystemLogCapture().Lines.clear(); }

    SpatialGraphManager* Manager() { return SpatialGraphManager::GetInstance(); }
    const SpatialGraph& Graph() { return *Manager()->GetGraph(); }
    bool IsBlockedAt(const Vector2& point) { return Graph().FindLeaf(point)->Blocked; }

    // A wall across x = 7.25 .. 8.75 with a gap two cells tall at y = 10 .. 12.
    void BuildWallWithGap()
    {
        obstacles.AddBox(Vector2(8.0f, 4.45f), Vector2(0.75f, 5.45f));
        obstacles.AddBox(Vector2(8.0f, 14.55f), Vector2(0.75f, 2.45f));
        ASSERT_TRUE(Manager()->CreateGraph(1.0f, kRegion));
    }

    int CountErrorLines()
    {
        int count = 0;
        for (const String& line : SystemLogCapture().Lines)
        {
            count += line.compare(0, 7, "ERROR: ") == 0 ? 1 : 0;
        }
        return count;
    }

    Obstacles obstacles;
};

bool Touch(const BoundingBox& a, const BoundingBox& b)
{
    const float overlapX = std::min(a.Max.X, b.Max.X) - std::max(a.Min.X, b.Min.X);
    const float overlapY = std::min(a.Max.Y, b.Max.Y) - std::max(a.Min.Y, b.Min.Y);
    const float tolerance = 1e-4f;
    // Sharing a stretch of edge, not just a corner.
    return (std::fabs(overlapX) < tolerance && overlapY > tolerance) ||
           (std::fabs(overlapY) < tolerance && overlapX > tolerance);
}
}

TEST_F(SpatialGraphTest, AnEmptyRegionIsOneFreeLeafAndItsPathsAreTheEndPoints)
{
    ASSERT_TRUE(Manager()->CreateGraph(1.0f, kRegion));
    ASSERT_EQ(1u, Graph().GetLeaves().size());
    EXPECT_FALSE(Graph().GetLeaves()[0]->Blocked);
    EXPECT_EQ(8, Graph().GetDepth());

    Vector2List path;
    ASSERT_TRUE(Manager()->GetPath(Vector2(1.0f, 1.0f), Vector2(15.0f, 12.0f), path));
    EXPECT_EQ(Vector2List({Vector2(1.0f, 1.0f), Vector2(15.0f, 12.0f)}), path);
    EXPECT_TRUE(Manager()->CanGo(Vector2(1.0f, 1.0f), Vector2(15.0f, 12.0f)));

    // Outside the region nothing is answered and the path is left alone.
    EXPECT_FALSE(Manager()->GetPath(Vector2(1.0f, 1.0f), Vector2(17.0f, 1.0f), path));
    EXPECT_FALSE(Manager()->GetPath(Vector2(-1.0f, 1.0f), Vector2(1.0f, 1.0f), path));
    EXPECT_EQ(2u, path.size());
    EXPECT_FALSE(Manager()->CanGo(Vector2Pair(Vector2(1.0f, 1.0f), Vector2(1.0f, -0.5f))));
    Vector2 nearest;
    EXPECT_FALSE(Manager()->FindNearestNonBlocked(Vector2(20.0f, 20.0f), nearest));
}

TEST_F(SpatialGraphTest, DepthFollowsTheEntityWidth)
{
    EXPECT_EQ(1, SpatialGraph::DepthFor(16.0f, kRegion));
    EXPECT_EQ(1, SpatialGraph::DepthFor(40.0f, kRegion));
    EXPECT_EQ(2, SpatialGraph::DepthFor(15.0f, kRegion));
    // A width of 0 is allowed and gives the deepest graph.
    EXPECT_EQ(SpatialGraph::MaxDepth, SpatialGraph::DepthFor(0.0f, kRegion));

    obstacles.AddCircle(Vector2(3.0f, 3.0f), 0.5f);
    ASSERT_TRUE(Manager()->CreateGraph(16.0f, kRegion));
    EXPECT_EQ(1, Graph().GetDepth());
    // One cut across X; the blocked half stays whole.
    EXPECT_EQ(Vector2(8.0f, 16.0f), Graph().GetFinestCellSize());
    EXPECT_EQ(2u, Graph().GetLeaves().size());
    EXPECT_TRUE(IsBlockedAt(Vector2(3.0f, 3.0f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(12.0f, 3.0f)));
}

TEST_F(SpatialGraphTest, BadArgumentsAreRefusedAndKeepTheOldGraph)
{
    ASSERT_TRUE(Manager()->CreateGraph(2.0f, kRegion));
    const SpatialGraph* old = Manager()->GetGraph();
    const float infinity = std::numeric_limits<float>::infinity();

    EXPECT_FALSE(Manager()->CreateGraph(-1.0f, kRegion));
    EXPECT_FALSE(Manager()->CreateGraph(std::nanf(""), kRegion));
    EXPECT_FALSE(Manager()->CreateGraph(1.0f, BoundingBox(Vector2(0.0f, 0.0f), Vector2(infinity, 4.0f))));
    EXPECT_FALSE(Manager()->CreateGraph(1.0f, BoundingBox(Vector2(std::nanf(""), 0.0f), Vector2(4.0f, 4.0f))));
    EXPECT_EQ(4, CountErrorLines());
    EXPECT_EQ(old, Manager()->GetGraph());
    EXPECT_EQ(2.0f, Graph().GetEntityWidth());

    ASSERT_TRUE(Manager()->CreateGraph(0.0f, kRegion));
    EXPECT_EQ(SpatialGraph::MaxDepth, Graph().GetDepth());
}

TEST_F(SpatialGraphTest, PathsGoThroughTheGapInAWall)
{
    BuildWallWithGap();
    const Vector2 from(2.5f, 4.5f);
    const Vector2 to(13.5f, 4.5f);
    Vector2List path;
    ASSERT_TRUE(Manager()->GetPath(from, to, path));
    ASSERT_GE(path.size(), 3u);
    EXPECT_EQ(from, path.front());
    EXPECT_EQ(to, path.back());
    int crossings = 0;
    for (size_t i = 0; i < path.size(); ++i)
    {
        EXPECT_FALSE(IsBlockedAt(path[i])) << i;
    }
    // The one leg that crosses the wall's middle line crosses it inside the gap.
    for (size_t i = 1; i < path.size(); ++i)
    {
        const Vector2& a = path[i - 1];
        const Vector2& b = path[i];
        if ((a.X < 8.0f) != (b.X < 8.0f))
        {
            const float y = a.Y + (b.Y - a.Y) * (8.0f - a.X) / (b.X - a.X);
            EXPECT_TRUE(y > 10.0f && y < 12.0f) << y;
            ++crossings;
        }
    }
    EXPECT_EQ(1, crossings);
    // Each leg is a straight walk the graph allows.
    for (size_t i = 1; i < path.size(); ++i)
    {
        EXPECT_TRUE(Manager()->CanGo(path[i - 1], path[i])) << i;
    }

    EXPECT_FALSE(Manager()->CanGo(from, to));
    EXPECT_FALSE(Manager()->CanGo(Vector2Pair(from, to)));
    EXPECT_TRUE(Manager()->CanGo(from, Vector2(2.5f, 14.5f)));
    EXPECT_TRUE(Manager()->CanGo(Vector2(7.9f, 10.9f), Vector2(13.5f, 10.9f)));
}

TEST_F(SpatialGraphTest, AGoalInsideABlockedCellFailsAndLeavesThePathAsItWas)
{
    BuildWallWithGap();
    const Vector2List before = {Vector2(-5.0f, -5.0f), Vector2(-6.0f, -6.0f)};
    Vector2List path = before;
    EXPECT_FALSE(Manager()->GetPath(Vector2(2.5f, 4.5f), Vector2(8.0f, 4.5f), path));
    EXPECT_EQ(before, path);

    // A success appends to what the caller had.
    ASSERT_TRUE(Manager()->GetPath(Vector2(2.5f, 4.5f), Vector2(2.5f, 6.5f), path));
    ASSERT_EQ(4u, path.size());
    EXPECT_EQ(before[1], path[1]);
    EXPECT_EQ(Vector2(2.5f, 4.5f), path[2]);
}

TEST_F(SpatialGraphTest, CirclesAndPolygonsBlockOnlyTheCellsTheyOverlap)
{
    obstacles.AddCircle(Vector2(4.5f, 4.5f), 0.3f);
    // A thin bar along the diagonal: its bounding box covers 3 x 3 cells, the bar itself
    // only the three on the diagonal.
    obstacles.AddBox(Vector2(12.0f, 12.0f), Vector2(2.1f, 0.1f), 0.78539816f);
    ASSERT_TRUE(Manager()->CreateGraph(1.0f, kRegion));

    EXPECT_TRUE(IsBlockedAt(Vector2(4.5f, 4.5f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(5.5f, 4.5f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(4.5f, 3.5f)));

    for (float along = 10.5f; along < 14.0f; along += 1.0f)
    {
        EXPECT_TRUE(IsBlockedAt(Vector2(along, along))) << along;
    }
    EXPECT_FALSE(IsBlockedAt(Vector2(10.5f, 12.5f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(12.5f, 10.5f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(11.5f, 13.5f)));
}

TEST_F(SpatialGraphTest, EveryFixtureUnderACellIsTestedHoweverManyThereAre)
{
    // Decoys whose bounding boxes reach into the region's corner while the circles stay out.
    obstacles.AddCircle(Vector2(12.5f, 12.5f), 0.2f);
    for (int i = 0; i < 2000; ++i)
    {
        obstacles.AddCircle(Vector2(-0.3f, -0.3f), 0.35f);
    }
    ASSERT_TRUE(Manager()->CreateGraph(1.0f, kRegion));
    EXPECT_GT(Graph().GetLeaves().size(), 1u);
    EXPECT_TRUE(IsBlockedAt(Vector2(12.5f, 12.5f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(0.5f, 0.5f)));
}

TEST_F(SpatialGraphTest, FreeLeavesThatTouchAreAlwaysLinked)
{
    // An awkward region whose cells are not exact in binary, so any count truncated instead
    // of rounded drops a row of probes somewhere.
    const BoundingBox region(Vector2(-3.3f, 0.7f), Vector2(9.1f, 13.9f));
    for (int i = 0; i < 12; ++i)
    {
        obstacles.AddCircle(Vector2(-2.7f + i * 1.03f, 1.3f + i * 1.07f), 0.25f);
    }
    ASSERT_TRUE(Manager()->CreateGraph(0.3f, region));
    const std::vector<SpatialGraphKDNode*>& leaves = Graph().GetLeaves();
    int links = 0;
    for (const SpatialGraphKDNode* a : leaves)
    {
        for (const SpatialGraphKDNode* b : leaves)
        {
            if (a != b && !a->Blocked && !b->Blocked && Touch(a->Box, b->Box))
            {
                EXPECT_NE(a->Neighbours.end(), std::find(a->Neighbours.begin(), a->Neighbours.end(), b));
                ++links;
            }
        }
    }
    EXPECT_GT(links, 100);
}

TEST_F(SpatialGraphTest, TheNearestFreeCellFromInsideABlockedOneIsAFreeNeighboursCentre)
{
    BuildWallWithGap();
    const Vector2 inside(8.1f, 4.6f);
    ASSERT_TRUE(IsBlockedAt(inside));
    Vector2 nearest;
    ASSERT_TRUE(Manager()->FindNearestNonBlocked(inside, nearest));
    // The wall's cell there is x 8 .. 9, y 4 .. 6; the free cell right of it is nearest.
    EXPECT_EQ(Vector2(9.5f, 5.0f), nearest);
    EXPECT_FALSE(IsBlockedAt(nearest));
}

TEST_F(SpatialGraphTest, AFixtureWithinTheSkinsOfACellBlocksIt)
{
    // An entity as wide as the region gives two halves, split only when the whole is blocked.
    const BoundingBox region(Vector2(0.0f, 0.0f), Vector2(2.0f, 2.0f));
    // 0.015 from the right edge: closer than the two polygon skins (0.01 each) together.
    b2Body* near = obstacles.AddBox(Vector2(3.015f, 1.0f), Vector2(1.0f, 1.0f));
    ASSERT_TRUE(Manager()->CreateGraph(2.0f, region));
    EXPECT_EQ(2u, Graph().GetLeaves().size());
    EXPECT_TRUE(IsBlockedAt(Vector2(1.5f, 1.0f)));
    EXPECT_FALSE(IsBlockedAt(Vector2(0.5f, 1.0f)));

    // 0.03 away is outside both skins: the region stays one free cell.
    near->SetTransform(b2Vec2(3.03f, 1.0f), 0.0f);
    ASSERT_TRUE(Manager()->CreateGraph(2.0f, region));
    EXPECT_EQ(1u, Graph().GetLeaves().size());
    EXPECT_FALSE(IsBlockedAt(Vector2(1.5f, 1.0f)));
}
