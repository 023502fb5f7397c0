// Actors drawn through the default camera, read back from the window.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "support/CapturingLog.h"
#include "support/SystemLogCapture.h"
#include "support/WorldWindow.h"

#include <cmath>

namespace
{
// 768 pixels show 20 world units: 38.4 pixels per unit, the origin at the window centre.
const float kPixelsPerUnit = 38.4f;
const int kCentreX = WorldWindow::Width / 2;
const int kCentreY = WorldWindow::Height / 2;

Actor* AddActor(float size, const Color& color, int layer = 0)
{
    Actor* actor = new Actor();
    actor->SetSize(size);
    actor->SetColor(color);
    World::GetInstance()->Add(actor, layer);
    return actor;
}
}

typedef WorldWindow ActorDrawing;

TEST_F(ActorDrawing, RedSquareCoversThirtyEightPointFourPixelsPerUnit)
{
    AddActor(2.0f, Color(1, 0, 0));
    RenderFrame();
    const int half = (int)(kPixelsPerUnit);  // 38.4 pixels each side of the centre
    // Inside, a pixel in from each edge: all red. Just outside: all white.
    EXPECT_TRUE(RegionIs(kCentreX - half + 1, kCentreY - half + 1, kCentreX + half - 1, kCentreY + half - 1,
                         255, 0, 0));
    EXPECT_TRUE(RegionIs(kCentreX - half - 3, kCentreY - half - 3, kCentreX - half - 1, kCentreY + half + 3,
                         255, 255, 255));
    EXPECT_TRUE(RegionIs(kCentreX + half + 2, kCentreY - half - 3, kCentreX + half + 4, kCentreY + half + 3,
                         255, 255, 255));
    EXPECT_TRUE(RegionIs(kCentreX - half, kCentreY + half + 2, kCentreX + half, kCentreY + half + 4,
                         255, 255, 255));
    // The whole square: 76.8 x 76.8 pixels, give or take the edge rows.
    const int red = CountPixels(kCentreX - 60, kCentreY - 60, kCentreX + 60, kCentreY + 60, 255, 0, 0);
    EXPECT_NEAR(76.8 * 76.8, red, 2 * 77 + 4);
}

TEST_F(ActorDrawing, PositionMovesTheSquareUpAndRight)
{
    Actor* actor = AddActor(1.0f, Color(0, 0, 1));
    actor->SetPosition(5.0f, 2.0f);
    RenderFrame();
    const int x = kCentreX + (int)(5 * kPixelsPerUnit);
    const int y = kCentreY - (int)(2 * kPixelsPerUnit);
    EXPECT_TRUE(RegionIs(x - 15, y - 15, x + 15, y + 15, 0, 0, 255));
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, kCentreY), 255, 255, 255));
}

TEST_F(ActorDrawing, CircleIsRound)
{
    Actor* actor = AddActor(4.0f, Color(0, 0.5f, 0));
    actor->SetDrawShape(ADS_Circle);
    RenderFrame();
    const float radius = 2.0f * kPixelsPerUnit;  // 76.8 pixels
    int inside = 0;
    int insideGreen = 0;
    int outside = 0;
    int outsideGreen = 0;
    for (int y = kCentreY - 90; y < kCentreY + 90; ++y)
    {
        for (int x = kCentreX - 90; x < kCentreX + 90; ++x)
        {
            const float distance = std::hypot(x + 0.5f - kCentreX, y + 0.5f - kCentreY);
            const bool green = IsColor(ReadPixel(x, y), 0, 128, 0, 12);
            if (distance < radius - 2.0f)
            {
                ++inside;
                insideGreen += green ? 1 : 0;
            }
            else if (distance > radius + 1.0f)
            {
                ++outside;
                outsideGreen += green ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(inside, insideGreen);
    EXPECT_EQ(0, outsideGreen);
    // The square's corners are not drawn.
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX + 70, kCentreY + 70), 255, 255, 255));
}

TEST_F(ActorDrawing, RotationTurnsTheShape)
{
    Actor* actor = AddActor(2.0f, Color(1, 0, 0));
    actor->SetSize(6.0f, 1.0f);
    actor->SetRotation(90.0f);
    RenderFrame();
    // Now 1 unit wide and 6 units tall.
    const int halfTall = (int)(3 * kPixelsPerUnit) - 2;
    EXPECT_TRUE(RegionIs(kCentreX - 15, kCentreY - halfTall, kCentreX + 15, kCentreY + halfTall, 255, 0, 0));
    EXPECT_TRUE(RegionIs(kCentreX + 25, kCentreY - 10, kCentreX + 100, kCentreY + 10, 255, 255, 255));
}

TEST_F(ActorDrawing, ColourAndAlphaApply)
{
    AddActor(2.0f, Color(0.2f, 0.4f, 0.6f));
    Actor* halfBlack = AddActor(2.0f, Color(0, 0, 0, 0.5f));
    halfBlack->SetPosition(4.0f, 0.0f);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, kCentreY), 51, 102, 153, 3));
    // Half transparent black over white.
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX + (int)(4 * kPixelsPerUnit), kCentreY), 128, 128, 128, 3));
}

TEST_F(ActorDrawing, LaterLayersDrawOnTop)
{
    AddActor(2.0f, Color(0, 0, 1), 5);
    AddActor(2.0f, Color(1, 0, 0), 1);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, kCentreY), 0, 0, 255));
}

TEST_F(ActorDrawing, DisplayListShapeWithoutListLogsAndDrawsNothing)
{
    CapturingLog& log = SystemLogCapture();
    log.Lines.clear();
    Actor* actor = AddActor(2.0f, Color(1, 0, 0));
    actor->SetDrawShape(ADS_DisplayList);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, kCentreY), 255, 255, 255));
    bool logged = false;
    for (size_t i = 0; i < log.Lines.size(); ++i)
    {
        logged = logged || log.Lines[i].find("Invalid display list index: -1.") != String::npos;
    }
    EXPECT_TRUE(logged);
}

// A square leaves no texture-coordinate array behind: drawing after the actor is gone must
// not read its coordinates.
TEST_F(ActorDrawing, SquareLeavesNoTextureCoordinateArrayEnabled)
{
    Actor* actor = AddActor(2.0f, Color(1, 0, 0));
    RenderFrame();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    actor->SetDrawShape(ADS_Circle);
    RenderFrame();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
}
