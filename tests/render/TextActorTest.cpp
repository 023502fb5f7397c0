// Text actors drawn through the World with the default camera: alignment at the anchor,
// line pitch, layout that follows the camera, and the world-space box.
#include "engine/actors/TextActor.h"
#include "engine/core/World.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextBatch.h"
#include "support/InkWindow.h"
#include "support/SystemLogCapture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
const char* const kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";
// The default camera shows 20 world units over the window's 768 pixels.
const float kPixelsPerUnit = 38.4f;
const int kCentreX = WorldWindow::Width / 2;
const int kCentreY = WorldWindow::Height / 2;

class TextActorTest : public InkWindow
{
protected:
    void SetUp() override
    {
        InkWindow::SetUp();
        ASSERT_TRUE(RegisterFont(kFontFile, 24, "Console"));
    }

    // Delivers pending messages ("CameraChange" among them), then draws one frame.
    void DrawWorld()
    {
        Switchboard::GetInstance()->SendAllMessages();
        RenderFrame();
    }

    static TextActor* AddText(const String& text, TextAlignment alignment, const Vector2& at)
    {
        TextActor* actor = new TextActor("Console", text, alignment);
        actor->SetPosition(at);
        World::GetInstance()->Add(actor, 0);
        return actor;
    }
};
}

TEST_F(TextActorTest, LinesAlignLeftCentreAndRightAtTheAnchor)
{
    const String text = "Broadside";
    const float width = GetTextExtents(text, "Console").X;
    ASSERT_GT(width, 80.0f);
    AddText(text, TXT_Left, Vector2(0.0f, 5.0f));
    AddText(text, TXT_Center, Vector2(0.0f, 0.0f));
    AddText(text, TXT_Right, Vector2(0.0f, -5.0f));
    DrawWorld();

    // Each anchor is at the window's centre column; world y 5, 0 and -5 are 192 pixels apart.
    const Box left = InkBox(Rows(kCentreY - 240, kCentreY - 100));
    const Box centre = InkBox(Rows(kCentreY - 50, kCentreY + 50));
    const Box right = InkBox(Rows(kCentreY + 100, kCentreY + 240));
    ASSERT_FALSE(left.Empty());
    ASSERT_FALSE(centre.Empty());
    ASSERT_FALSE(right.Empty());

    EXPECT_NEAR(kCentreX, left.Left, 3);
    EXPECT_NEAR(kCentreX + width, left.Right, 3);
    EXPECT_NEAR(kCentreX - width * 0.5f, centre.Left, 3);
    EXPECT_NEAR(kCentreX + width * 0.5f, centre.Right, 3);
    EXPECT_NEAR(kCentreX - width, right.Left, 3);
    EXPECT_NEAR(kCentreX, right.Right, 3);
    // The anchor is the baseline: the text stands on it.
    EXPECT_NEAR(kCentreY - 192, left.Bottom, 2);
    EXPECT_NEAR(kCentreY, centre.Bottom, 2);
}

TEST_F(TextActorTest, LinesAdvanceBySpacingPlusTheTallestLine)
{
    TextActor* actor = AddText("HH\n\nHH", TXT_Left, Vector2(0.0f, 5.0f));
    actor->SetLineSpacing(7);
    const float tallest = GetTextExtents("HH", "Console").Y;
    DrawWorld();

    const std::vector<Box> bands = InkBands();
    ASSERT_EQ(2u, bands.size()) << "the middle line is empty";
    EXPECT_NEAR(2.0f * (7.0f + tallest), bands[1].Top - bands[0].Top, 1.0f);
    EXPECT_EQ(bands[0].Left, bands[1].Left);

    // A taller line anywhere sets the pitch of every line.
    actor->SetDisplayString("HH\nHH\nHgjy");
    const float tallestNow = GetTextExtents("Hgjy", "Console").Y;
    ASSERT_GT(tallestNow, tallest);
    DrawWorld();
    const std::vector<Box> again = InkBands();
    ASSERT_EQ(3u, again.size());
    EXPECT_NEAR(7.0f + tallestNow, again[1].Top - again[0].Top, 1.0f);
}

TEST_F(TextActorTest, FollowsTheCameraAndKeepsItsPixelSize)
{
    TextActor* actor = AddText("Ahoy", TXT_Left, Vector2(2.0f, 0.0f));
    DrawWorld();
    const Box before = InkBox();
    ASSERT_FALSE(before.Empty());
    EXPECT_NEAR(kCentreX + 2.0f * kPixelsPerUnit, before.Left, 3);
    const float boxWidthBefore = actor->GetBoundingBox().Max.X - actor->GetBoundingBox().Min.X;

    // The camera moves over the text and halves its distance: the text is laid out again
    // at the centre, just as big in pixels, and its world box shrinks.
    Camera::GetInstance()->SetPosition(2.0f, 0.0f, 5.0f);
    DrawWorld();
    const Box after = InkBox();
    ASSERT_FALSE(after.Empty());
    EXPECT_NEAR(kCentreX, after.Left, 3);
    EXPECT_EQ(before.Width(), after.Width());
    EXPECT_EQ(before.Height(), after.Height());
    const float boxWidthAfter = actor->GetBoundingBox().Max.X - actor->GetBoundingBox().Min.X;
    EXPECT_NEAR(boxWidthBefore * 0.5f, boxWidthAfter, 0.01f);
}

TEST_F(TextActorTest, TurnedTextStacksItsLinesAcrossTheScreen)
{
    TextActor* actor = AddText("HHHH\nHHHH", TXT_Left, Vector2(0.0f, 0.0f));
    actor->SetRotation(90.0f);
    DrawWorld();

    // Turned a quarter counter-clockwise, each line rises up the screen from the anchor,
    // and the second line stands to the right of the first.
    const Box first = InkBox({kCentreX - 60, 0, kCentreX + 2, Height - 1});
    const Box second = InkBox({kCentreX + 3, 0, Width - 1, Height - 1});
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_GT(first.Height(), first.Width() * 2);
    EXPECT_NEAR(kCentreY, first.Bottom, 2);
    EXPECT_NEAR(first.Top, second.Top, 1);
    EXPECT_GT(second.Left, first.Right);
}

TEST_F(TextActorTest, BoundingBoxFollowsAlignmentAndLineCount)
{
    TextActor actor("Console", "MM\nMMMM", TXT_Center, 5);
    actor.SetPosition(1.0f, 2.0f);
    const Vector2 widest = GetTextExtents("MMMM", "Console");
    const float width = widest.X / kPixelsPerUnit;
    const float height = widest.Y / kPixelsPerUnit;
    const float pitch = (5.0f + widest.Y) / kPixelsPerUnit;

    BoundingBox box = actor.GetBoundingBox();
    EXPECT_NEAR(1.0f - width * 0.5f, box.Min.X, 1e-4f);
    EXPECT_NEAR(1.0f + width * 0.5f, box.Max.X, 1e-4f);
    EXPECT_NEAR(2.0f - pitch, box.Min.Y, 1e-4f);
    EXPECT_NEAR(2.0f + height, box.Max.Y, 1e-4f);

    actor.SetAlignment(TXT_Right);
    box = actor.GetBoundingBox();
    EXPECT_NEAR(1.0f - width, box.Min.X, 1e-4f);
    EXPECT_NEAR(1.0f, box.Max.X, 1e-4f);
    EXPECT_EQ("TextActor", actor.GetClassName());
    EXPECT_EQ(0.0f, actor.GetColor().R);
    EXPECT_EQ(1.0f, actor.GetColor().A);
}

TEST_F(TextActorTest, UnknownFontDrawsNothing)
{
    TextActor* actor = AddText("Nobody\nhere", TXT_Center, Vector2(1.0f, 1.0f));
    actor->SetFont("NoSuchFont");
    DrawWorld();
    EXPECT_TRUE(InkBox().Empty());
    const BoundingBox box = actor->GetBoundingBox();
    EXPECT_EQ(box.Min.X, box.Max.X);
    EXPECT_EQ(1.0f, box.Max.Y);

    // Back on a registered font it shows again.
    actor->SetFont("Console");
    DrawWorld();
    EXPECT_FALSE(InkBox().Empty());
}

// Placed far beyond any window (or at no number at all), the text is drawn nowhere, through the
// batch or the font library, with one warning; brought back, it shows again.
TEST_F(TextActorTest, TextFarOffTheWindowWarnsOnceAndDrawsNothing)
{
    SystemLogCapture().Lines.clear();
    TextActor* actor = AddText("Adrift", TXT_Left, Vector2(0.0f, 1e10f));
    for (bool batched : {true, false})
    {
        TextBatch::SetEnabled(batched);
        actor->SetPosition(-1e30f, std::nanf(""));
        DrawWorld();
        actor->SetPosition(1e30f, -1e10f);
        DrawWorld();
        EXPECT_TRUE(InkBox().Empty());
    }
    TextBatch::SetEnabled(true);
    EXPECT_EQ(1, CountLines(SystemLogCapture(), "WARNING: A TextActor at (0, 1e+10) lies too far off"));
    actor->SetPosition(0.0f, 0.0f);
    DrawWorld();
    EXPECT_FALSE(InkBox().Empty());
}
