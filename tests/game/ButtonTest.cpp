// The game's button: its states under the mouse, its click message, and how it looks.
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/FontRegistry.h"
#include "game/screens/Button.h"
#include "game/core/GameConstants.h"
#include "support/WorldWindow.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

namespace
{
class MessageCounter : public MessageListener
{
public:
    explicit MessageCounter(const String& name) { Switchboard::GetInstance()->SubscribeTo(this, name); }
    void ReceiveMessage(Message*) override { ++count; }
    int count = 0;
};

class ButtonTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        WorldWindow::SetUp();
        // Built once the window exists: the button loads its images.
        buttonHolder.reset(new Button());
        button = buttonHolder.get();
        // A 100 x 40 box from (100, 100) to (200, 140), edges included.
        button->SetPosition(150.0f, 120.0f);
        button->SetSize(Vector2(100.0f, 40.0f));
        button->SetMessage("Clicked");
    }

    int Deliver()
    {
        Switchboard::GetInstance()->SendAllMessages();
        return clicks.count;
    }

    std::unique_ptr<Button> buttonHolder;
    Button* button = 0;
    MessageCounter clicks{"Clicked"};
};
}

TEST_F(ButtonTest, HoverPressAndReleaseInsideSendsOneMessage)
{
    EXPECT_EQ(BS_Normal, button->GetState());
    button->MouseMotionEvent(Vec2i(150, 120));
    EXPECT_EQ(BS_Hovered, button->GetState());
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(BS_Pressed, button->GetState());
    EXPECT_TRUE(button->IsPressedInside());
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(BS_Normal, button->GetState());
    EXPECT_FALSE(button->IsPressedInside());
    EXPECT_EQ(1, Deliver());
}

TEST_F(ButtonTest, EveryEdgeOfTheBoxCountsAsInside)
{
    const Vec2i edges[] = {Vec2i(100, 120), Vec2i(200, 120), Vec2i(150, 100), Vec2i(150, 140),
                           Vec2i(100, 100), Vec2i(200, 140)};
    for (const Vec2i& at : edges)
    {
        button->MouseDownEvent(at, MOUSE_LEFT);
        button->MouseUpEvent(at, MOUSE_LEFT);
    }
    EXPECT_EQ(6, Deliver());
    const Vec2i outside[] = {Vec2i(99, 120), Vec2i(201, 120), Vec2i(150, 99), Vec2i(150, 141)};
    for (const Vec2i& at : outside)
    {
        button->MouseMotionEvent(at);
        EXPECT_EQ(BS_Normal, button->GetState());
        button->MouseDownEvent(at, MOUSE_LEFT);
        EXPECT_EQ(BS_Normal, button->GetState());
    }
}

TEST_F(ButtonTest, DraggingOutAndBackShowsTheStateAndReleasingOutsideSendsNothing)
{
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    button->MouseMotionEvent(Vec2i(300, 300));
    EXPECT_EQ(BS_Normal, button->GetState());
    EXPECT_TRUE(button->IsPressedInside());
    button->MouseMotionEvent(Vec2i(150, 120));
    EXPECT_EQ(BS_Pressed, button->GetState());
    button->MouseMotionEvent(Vec2i(300, 300));
    button->MouseUpEvent(Vec2i(300, 300), MOUSE_LEFT);
    EXPECT_EQ(BS_Normal, button->GetState());
    EXPECT_FALSE(button->IsPressedInside());
    EXPECT_EQ(0, Deliver());
}

TEST_F(ButtonTest, APressOutsideDraggedInAndReleasedSendsNothing)
{
    button->MouseDownEvent(Vec2i(300, 300), MOUSE_LEFT);
    button->MouseMotionEvent(Vec2i(150, 120));
    EXPECT_EQ(BS_Hovered, button->GetState());
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(BS_Hovered, button->GetState());
    EXPECT_EQ(0, Deliver());
}

TEST_F(ButtonTest, RightAndMiddleButtonsDoNothing)
{
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_RIGHT);
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_MIDDLE);
    EXPECT_EQ(BS_Normal, button->GetState());
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_RIGHT);
    EXPECT_EQ(BS_Pressed, button->GetState());
    EXPECT_EQ(0, Deliver());
}

TEST_F(ButtonTest, HiddenAndDisabledButtonsIgnoreTheMouse)
{
    button->SetEnabled(false);
    button->MouseMotionEvent(Vec2i(150, 120));
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(BS_Disabled, button->GetState());
    button->SetEnabled(true);
    button->SetVisible(false);
    button->MouseMotionEvent(Vec2i(150, 120));
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(BS_Hidden, button->GetState());
    EXPECT_EQ(0, Deliver());
}

TEST_F(ButtonTest, HidingWhilePressedStartsCleanWhenShownAgain)
{
    button->MouseDownEvent(Vec2i(150, 120), MOUSE_LEFT);
    button->SetVisible(false);
    EXPECT_FALSE(button->IsPressedInside());
    button->SetVisible(true);
    EXPECT_EQ(BS_Normal, button->GetState());
    button->MouseUpEvent(Vec2i(150, 120), MOUSE_LEFT);
    EXPECT_EQ(0, Deliver());
}

TEST_F(ButtonTest, FitsItsLabelAndDrawsItOverItsImage)
{
    ASSERT_TRUE(RegisterFont("Resources/Fonts/ShadowsIntoLight.ttf", 24, TextbodyFont));
    button->SetFont(TextbodyFont);
    button->SetLabel("Hardcore Mode");
    Vector2 extents = GetTextExtents("Hardcore Mode", TextbodyFont);
    EXPECT_FLOAT_EQ(extents.X + 20.0f, button->GetSize().X);
    EXPECT_FLOAT_EQ(extents.Y + 12.0f, button->GetSize().Y);
    button->SetPosition(512.0f, 400.0f);
    RenderFrame();
    int left = (int)(512 - button->GetSize().X / 2);
    int right = (int)(512 + button->GetSize().X / 2);
    int top = (int)(400 - button->GetSize().Y / 2);
    int bottom = (int)(400 + button->GetSize().Y / 2);
    // The face is drawn, not the white background, and the label's dark strokes lie on it.
    EXPECT_LT(CountPixels(left + 2, top + 2, right - 2, bottom - 2, 255, 255, 255, 4),
              (right - left) * (bottom - top) / 2);
    EXPECT_GT(CountPixels(left, top, right, bottom, 0, 0, 0, 60), 30);
    EXPECT_TRUE(RegionIs(0, 0, 200, 200, 255, 255, 255));
}
