#include "engine/core/World.h"
#include "engine/physics/PhysicsActor.h"
#include "game/sea/BackgroundManager.h"
#include "game/sea/BackgroundTile.h"
#include "engine/rendering/Camera.h"
#include "support/WorldWindow.h"

#include <unistd.h>

#include <box2d/box2d.h>
#include <gtest/gtest.h>

namespace
{
    // The arena as a ship meets it, in the World's window with the game's images.
    class BackgroundManagerTest : public WorldWindow
    {
    protected:
        void SetUp() override
        {
            ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
            WorldWindow::SetUp();
            World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0);
        }
    };
}

TEST_F(BackgroundManagerTest, TilesCoverTheArenaInAlternatingColumns)
{
    BackgroundManager background;
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 7; ++row)
        {
            const BackgroundTile* tile = background.GetTile(column, row);
            EXPECT_EQ(Vector2(20.0f * column, 20.0f * row), tile->GetPosition());
            EXPECT_EQ(Vector2(20.0f, 20.0f), tile->GetSize());
            EXPECT_EQ(1, tile->GetLayer());
        }
}

TEST_F(BackgroundManagerTest, WallsAreStaticAndCloseTheOpenWater)
{
    BackgroundManager background;
    const Vector2 positions[] = {Vector2(140.0f, 70.0f), Vector2(70.0f, 140.0f), Vector2(-20.0f, 60.0f), Vector2(60.0f, -20.0f)};
    for (int i = 0; i < BackgroundManager::WallCount; ++i)
    {
        PhysicsActor* wall = background.GetWall(i);
        EXPECT_EQ(positions[i], wall->GetPosition());
        EXPECT_EQ(2, wall->GetGroupIndex());
        EXPECT_FLOAT_EQ(2.0f, wall->GetRestitution());
        ASSERT_NE(nullptr, wall->GetBody());
        EXPECT_EQ(b2_staticBody, wall->GetBody()->GetType());
    }
    // Inner faces at 130 (right, top) and -10 (left, bottom).
    EXPECT_FLOAT_EQ(130.0f, background.GetWall(0)->GetPosition().X - background.GetWall(0)->GetSize().X / 2.0f);
    EXPECT_FLOAT_EQ(130.0f, background.GetWall(1)->GetPosition().Y - background.GetWall(1)->GetSize().Y / 2.0f);
    EXPECT_FLOAT_EQ(-10.0f, background.GetWall(2)->GetPosition().X + background.GetWall(2)->GetSize().X / 2.0f);
    EXPECT_FLOAT_EQ(-10.0f, background.GetWall(3)->GetPosition().Y + background.GetWall(3)->GetSize().Y / 2.0f);
}

TEST_F(BackgroundManagerTest, TeardownDestroysTilesAndWalls)
{
    BackgroundManager* background = new BackgroundManager();
    BackgroundTile* tile = background->GetTile(3, 3);
    PhysicsActor* wall = background->GetWall(0);
    delete background;
    EXPECT_TRUE(tile->IsDestroyed());
    EXPECT_TRUE(wall->IsDestroyed());
}

TEST_F(BackgroundManagerTest, DrawsTheSeaUnderTheCamera)
{
    BackgroundManager background;
    Camera::GetInstance()->SetPosition(70.0f, 70.0f);
    Camera::GetInstance()->SetZByViewRadius(15.0f);
    RenderFrame();
    Capture();
    // Water is blue-green: far from the white clear colour everywhere in the middle of the view.
    const Pixel middle = ReadPixel(Width / 2, Height / 2);
    EXPECT_GT(middle.B, middle.R);
    EXPECT_EQ(0, CountPixels(100, 100, Width - 100, Height - 100, 255, 255, 255, 4));
}
