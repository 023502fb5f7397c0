// The reference grid drawn through the default camera: line spacing, axes and the
// client-array state it leaves behind.
#include "engine/actors/GridActor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/math/BoundingBox.h"
#include "support/CapturingLog.h"
#include "support/InkWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// The default camera shows 20 world units over the window's 768 pixels.
const float kPixelsPerUnit = 38.4f;
const int kCentreX = WorldWindow::Width / 2;
const int kCentreY = WorldWindow::Height / 2;

int ScreenX(float worldX) { return kCentreX + static_cast<int>(worldX * kPixelsPerUnit); }
int ScreenY(float worldY) { return kCentreY - static_cast<int>(worldY * kPixelsPerUnit); }

class GridActorTest : public InkWindow
{
protected:
    void SetUp() override
    {
        log = new CapturingLog();
        CompoundLog::GetSystemLog().AddLog(log);
        InkWindow::SetUp();
    }

    // Blue lines, red axes.
    static GridActor* AddGrid(const Vector2& minCoord, const Vector2& maxCoord)
    {
        GridActor* grid = new GridActor(Color(0.0f, 0.0f, 1.0f), Color(1.0f, 0.0f, 0.0f), 1.0f,
                                        minCoord, maxCoord);
        World::GetInstance()->Add(grid, 0);
        return grid;
    }

    bool IsRed(int x, int y) { return IsColor(ReadPixel(x, y), 255, 0, 0); }
    bool IsBlue(int x, int y) { return IsColor(ReadPixel(x, y), 0, 0, 255); }

    CapturingLog* log = 0;
};
}

TEST_F(GridActorTest, DefaultGridHasFortyLinesEachWayAndBothAxes)
{
    GridActor grid;
    // Two points of two floats per line; x and y from -20 to 19.
    EXPECT_EQ((40u + 40u) * 4u, grid.GetLinePoints().size());
    EXPECT_EQ(-20.0f, grid.GetLinePoints()[0]);
    EXPECT_EQ(19.0f, grid.GetLinePoints()[39 * 4]);
    EXPECT_EQ(-20.0f, grid.GetLinePoints()[40 * 4 + 1]);
    EXPECT_EQ(1.0f, grid.GetInterval());
}

TEST_F(GridActorTest, LinesSitOneIntervalApartWithTheAxesOnTop)
{
    AddGrid(Vector2(0.0f, 0.0f), Vector2(3.0f, 3.0f));
    RenderFrame();

    // Across the middle of the grid: the y axis on its left edge, then lines at 1 and 2;
    // none at 3, where the grid ends.
    const int row = ScreenY(1.5f);
    const std::vector<int> columns = InkColumns(row, ScreenX(-1.0f), ScreenX(4.0f));
    ASSERT_EQ(3u, columns.size());
    EXPECT_NEAR(ScreenX(0.0f), columns[0], 1);
    EXPECT_NEAR(ScreenX(1.0f), columns[1], 1);
    EXPECT_NEAR(ScreenX(2.0f), columns[2], 1);
    EXPECT_TRUE(IsRed(columns[0], row));
    EXPECT_TRUE(IsBlue(columns[1], row));
    EXPECT_TRUE(IsBlue(columns[2], row));

    // Down the middle: the x axis along the bottom edge, lines at 1 and 2, none at 3.
    const int column = ScreenX(1.5f);
    std::vector<int> rows;
    for (int y = ScreenY(4.0f); y <= ScreenY(-1.0f); ++y)
    {
        if (IsInk(column, y))
        {
            rows.push_back(y);
        }
    }
    ASSERT_EQ(3u, rows.size());
    EXPECT_NEAR(ScreenY(2.0f), rows[0], 1);
    EXPECT_NEAR(ScreenY(1.0f), rows[1], 1);
    EXPECT_NEAR(ScreenY(0.0f), rows[2], 1);
    EXPECT_TRUE(IsBlue(column, rows[0]));
    EXPECT_TRUE(IsRed(column, rows[2]));
}

TEST_F(GridActorTest, SmallerIntervalDrawsCloserLines)
{
    GridActor* grid = AddGrid(Vector2(-2.0f, -2.0f), Vector2(2.0f, 2.0f));
    grid->SetInterval(0.5f);
    RenderFrame();

    const int row = ScreenY(0.75f);
    const std::vector<int> columns = InkColumns(row, ScreenX(-3.0f), ScreenX(3.0f));
    ASSERT_EQ(8u, columns.size()) << "-2 to 1.5 in steps of 0.5";
    for (size_t i = 1; i < columns.size(); ++i)
    {
        EXPECT_NEAR(kPixelsPerUnit * 0.5f, columns[i] - columns[i - 1], 1.0f);
    }
    // The y axis crosses the middle of this grid.
    EXPECT_TRUE(IsRed(columns[4], row));
    EXPECT_TRUE(IsBlue(columns[3], row));
}

TEST_F(GridActorTest, RefusesIntervalsThatWouldNeverEnd)
{
    // Only the grid's own lines count, not what the window's start-up reported.
    log->Lines.clear();
    GridActor grid;
    grid.SetInterval(0.0f);
    grid.SetInterval(-1.0f);
    EXPECT_EQ(1.0f, grid.GetInterval());
    EXPECT_EQ(320u, grid.GetLinePoints().size());
    ASSERT_EQ(2u, log->Lines.size());
    EXPECT_EQ("WARNING: Grid interval must be finite and above 0, not 0; keeping 1.", log->Lines[0]);

    GridActor fromConstructor(Color(), Color(), 0.0f, Vector2(0.0f, 0.0f), Vector2(2.0f, 2.0f));
    EXPECT_EQ(1.0f, fromConstructor.GetInterval());
    EXPECT_EQ((2u + 2u) * 4u, fromConstructor.GetLinePoints().size());
    EXPECT_EQ(3u, log->Lines.size());

    // Far from the origin a step too small to move a float, and a corner at infinity, are
    // refused: the first drew one line without a word.
    GridActor far(Color(), Color(), 0.001f, Vector2(1.0e8f, 0.0f), Vector2(1.0e8f + 64.0f, 1.0f));
    EXPECT_TRUE(far.GetLinePoints().empty());
    grid.SetMaxCoord(Vector2(0.0f, INFINITY));
    grid.SetMinCoord(Vector2(-1.0e8f, 0.0f));
    EXPECT_EQ(320u, grid.GetLinePoints().size());
    EXPECT_EQ(Vector2(20.0f, 20.0f), grid.GetMaxCoord());
    EXPECT_EQ(6u, log->Lines.size());
}

// Every line from one corner to the other, however many: this grid stopped at x = -10001.
TEST_F(GridActorTest, AWideGridHasEveryLineAndShowsThemNearTheOrigin)
{
    GridActor* grid = AddGrid(Vector2(-20000.0f, -20000.0f), Vector2(20000.5f, 20000.5f));
    ASSERT_EQ(40001u * 2u * 4u, grid->GetLinePoints().size());
    EXPECT_EQ(20000.0f, grid->GetLinePoints()[40000 * 4]);
    RenderFrame();

    const int row = ScreenY(0.5f);
    const std::vector<int> columns = InkColumns(row, ScreenX(-2.5f), ScreenX(2.5f));
    ASSERT_EQ(5u, columns.size());
    EXPECT_NEAR(ScreenX(-2.0f), columns[0], 1);
    EXPECT_TRUE(IsBlue(columns[1], row));
    EXPECT_TRUE(IsRed(columns[2], row));
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
