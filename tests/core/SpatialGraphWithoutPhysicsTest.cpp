// Building a spatial graph in a program that never set up physics.
#include "engine/pathfinding/SpatialGraphManager.h"
#include "support/SystemLogCapture.h"

#include <gtest/gtest.h>

TEST(SpatialGraphWithoutPhysicsTest, BuildingIsRefusedWithAnErrorLine)
{
    SystemLogCapture().Lines.clear();
    SpatialGraphManager* manager = SpatialGraphManager::GetInstance();
    EXPECT_FALSE(manager->CreateGraph(1.0f, BoundingBox(Vector2(0.0f, 0.0f), Vector2(10.0f, 10.0f))));
    EXPECT_EQ(nullptr, manager->GetGraph());
    ASSERT_EQ(1u, SystemLogCapture().Lines.size());
    EXPECT_EQ(0u, SystemLogCapture().Lines[0].find("ERROR: "));

    Vector2List path;
    EXPECT_FALSE(manager->GetPath(Vector2(1.0f, 1.0f), Vector2(2.0f, 2.0f), path));
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(manager->CanGo(Vector2(1.0f, 1.0f), Vector2(2.0f, 2.0f)));
}
