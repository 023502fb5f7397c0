// The reference grid drawn through the default camera: line spacing, axes and the
// client-array state it leaves behind.
#include "engine/actors/GridActor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/math/BoundingBox.h"
#include "support/CapturingLog.h"
#include "support/FramePixels.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{
const FramePixels::Pixel kWhite = {255, 255, 255};
const FramePixels::Pixel kBlue = {0, 0, 255};
const FramePixels::Pixel kRed = {255, 0, 0};
// The default camera shows 20 world units over the window's 768 pixels.
const float kPixelsPerUnit = 38.4f;
const int kCentreX = 512;
const int kCentreY = 384;

class GridActorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        log = new CapturingLog();
        CompoundLog::GetSystemLog().AddLog(log);
        ASSERT_TRUE(World::GetInstance()->Initialize("Zarvo Engine", false, false, false));
    }

    // One frame of the World with only this grid on it.
    FramePixels Draw(GridActor* grid)
    {
        World* world = World::GetInstance();
        world->Add(grid, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        world->Render();
        FramePixels frame = FramePixels::Read();
        world->Remove(grid);
        return frame;
    }

    // The columns along one screen row where something other than the background is drawn.
    static std::vector<int> InkColumns(const FramePixels& frame, int row, int from, int to)
    {
        std::vector<int> columns;
        for (int x = from; x <= to; ++x)
        {
            if (frame.IsInk(x, row, kWhite))
            {
                columns.push_back(x);
            }
        }
        return columns;
    }

    CapturingLog* log = 0;
};

int ScreenX(float worldX) { return kCentreX + static_cast<int>(worldX * kPixelsPerUnit); }
int ScreenY(float worldY) { return kCentreY - static_cast<int>(worldY * kPixelsPerUnit); }
}

TEST_F(GridActorTest, DefaultGridHasFortyLinesEachWayAndBothAxes)
{
    GridActor grid;
    // Two points of two floats per line; x and y from -20 to 19.
    EXPECT_EQ((40u + 40u) * 4u, grid.GetLinePoints().size());
    EXPECT_EQ(-20.0f, grid.GetLinePoints()[0]);
    EXPECT_EQ(19.0f, grid.GetLinePoints()[39 * 4]);
    EXPECT_EQ(1.0f, grid.GetInterval());
}

TEST_F(GridActorTest, LinesSitOneIntervalApartWithTheAxesOnTop)
{
    GridActor* grid = new GridActor(Color(0.0f, 0.0f, 1.0f), Color(1.0f, 0.0f, 0.0f), 1.0f,
                                    Vector2(0.0f, 0.0f), Vector2(3.0f, 3.0f));
    const FramePixels frame = Draw(grid);

    // Across the middle of the grid: the y axis on its left edge, then lines at 1 and 2;
    // none at 3, where the grid ends.
    const int row = ScreenY(1.5f);
    const std::vector<int> columns = InkColumns(frame, row, ScreenX(-1.0f), ScreenX(4.0f));
    ASSERT_EQ(3u, columns.size());
    EXPECT_NEAR(ScreenX(0.0f), columns[0], 1);
    EXPECT_NEAR(ScreenX(1.0f), columns[1], 1);
    EXPECT_NEAR(ScreenX(2.0f), columns[2], 1);
    EXPECT_EQ(kRed, frame.At(columns[0], row));
    EXPECT_EQ(kBlue, frame.At(columns[1], row));
    EXPECT_EQ(kBlue, frame.At(columns[2], row));

    // The x axis runs along the bottom edge in the axis colour, the row at 1 in line colour.
    const int column = ScreenX(1.5f);
    int xAxisRow = -1;
    int lineRow = -1;
    for (int y = ScreenY(3.5f); y <= ScreenY(-0.5f); ++y)
    {
        if (frame.At(column, y) == kRed)
        {
            xAxisRow = y;
        }
        if (frame.At(column, y) == kBlue && lineRow < 0 && y > ScreenY(1.5f))
        {
            lineRow = y;
        }
    }
    EXPECT_NEAR(ScreenY(0.0f), xAxisRow, 1);
    EXPECT_NEAR(ScreenY(1.0f), lineRow, 1);
    // Nothing beyond the grid.
    EXPECT_EQ(kWhite, frame.At(ScreenX(3.5f), ScreenY(1.5f)));
    EXPECT_EQ(kWhite, frame.At(ScreenX(1.5f), ScreenY(3.5f)));
}

TEST_F(GridActorTest, SmallerIntervalDrawsCloserLines)
{
    GridActor* grid = new GridActor(Color(0.0f, 0.0f, 1.0f), Color(1.0f, 0.0f, 0.0f), 1.0f,
                                    Vector2(-2.0f, -2.0f), Vector2(2.0f, 2.0f));
    grid->SetInterval(0.5f);
    const FramePixels frame = Draw(grid);

    const std::vector<int> columns =
        InkColumns(frame, ScreenY(0.75f), ScreenX(-3.0f), ScreenX(3.0f));
    ASSERT_EQ(8u, columns.size()) << "-2 to 1.5 in steps of 0.5";
    for (size_t i = 1; i < columns.size(); ++i)
    {
        EXPECT_NEAR(kPixelsPerUnit * 0.5f, columns[i] - columns[i - 1], 1.0f);
    }
    // The y axis crosses the middle of this grid.
    EXPECT_EQ(kRed, frame.At(columns[4], ScreenY(0.75f)));
}

TEST_F(GridActorTest, RefusesIntervalsThatWouldNeverEnd)
{
    GridActor grid;
    grid.SetInterval(0.0f);
    grid.SetInterval(-1.0f);
    EXPECT_EQ(1.0f, grid.GetInterval());
    EXPECT_EQ(320u, grid.GetLinePoints().size());
    ASSERT_EQ(2u, log->Lines.size());
    EXPECT_EQ("WARNING: Grid interval must be above 0, not 0; keeping 1.", log->Lines[0]);

    GridActor fromConstructor(Color(), Color(), 0.0f, Vector2(0.0f, 0.0f), Vector2(2.0f, 2.0f));
    EXPECT_EQ(1.0f, fromConstructor.GetInterval());
    EXPECT_EQ((2u + 2u) * 4u, fromConstructor.GetLinePoints().size());
    EXPECT_EQ(3u, log->Lines.size());

    // Far from the origin a step too small to move a float still ends.
    GridActor far(Color(), Color(), 0.001f, Vector2(1.0e8f, 0.0f), Vector2(1.0e8f + 64.0f, 1.0f));
    EXPECT_FALSE(far.GetLinePoints().empty());
}

TEST_F(GridActorTest, DrawsWithoutTextureCoordinatesLeftEnabled)
{
    // An earlier textured draw left the texture-coordinate array enabled, pointing at
    // memory that is gone by the time the grid draws.
    std::vector<float>* stale = new std::vector<float>(8, 0.5f);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, stale->data());
    delete stale;

    GridActor grid;
    grid.Render();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));

    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    BoundingBox(Vector2(-1.0f, -1.0f), Vector2(1.0f, 1.0f)).RenderOutline();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    BoundingBox(Vector2(-1.0f, -1.0f), Vector2(1.0f, 1.0f)).RenderFilled();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}
