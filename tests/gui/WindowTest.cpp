// Windows on a recording renderer and skin: dragging by the title bar, resizing against the
// minimum, raising on click, modal blockers, closing, deletion on close, resizers.
#include "GuiFixture.h"

#include "gui/controls/Button.h"
#include "gui/controls/Modal.h"
#include "gui/controls/Resizer.h"
#include "gui/controls/WindowCloseButton.h"
#include "gui/controls/WindowControl.h"

using Gui::Controls::WindowControl;

namespace
{
class WindowTest : public GuiFixture
{
protected:
    // 300 x 200 at (100, 100): its title bar spans y 100 to 124 between the side resizers.
    WindowControl* AddWindow(int x = 100, int y = 100)
    {
        WindowControl* window = new WindowControl(canvas.get());
        window->SetBounds(x, y, 300, 200);
        canvas->DoThink();
        return window;
    }

    void Drag(int fromX, int fromY, int toX, int toY)
    {
        MoveMouse(fromX, fromY);
        canvas->OnMouseButton(0, true);
        MoveMouse(toX, toY);
        canvas->OnMouseButton(0, false);
        canvas->DoThink();
    }

    bool OnCanvas(Gui::Controls::Base* control)
    {
        for (Gui::Controls::Base* child : canvas->GetChildren())
        {
            if (child == control)
            {
                return true;
            }
        }
        return false;
    }

    int Blockers()
    {
        int count = 0;
        for (Gui::Controls::Base* child : canvas->GetChildren())
        {
            count += Gui::gui_cast<Gui::ControlsInternal::Modal>(child) != nullptr ? 1 : 0;
        }
        return count;
    }

    struct Counter : Gui::Event::Handler
    {
        void Count(Gui::Controls::Base*) { ++count; }
        int count = 0;
    };
};
}

TEST_F(WindowTest, TitleBarDragsTheWindowAndStopsAtTheParentsEdge)
{
    WindowControl* window = AddWindow();
    Drag(150, 110, 200, 110);
    EXPECT_EQ(150, window->X());
    EXPECT_EQ(100, window->Y());

    Drag(200, 110, 2000, 110);
    EXPECT_EQ(800 - 300, window->X());
}

TEST_F(WindowTest, ResizingFromTheLeftBelowTheMinimumKeepsTheRightEdge)
{
    WindowControl* window = AddWindow();
    Drag(102, 200, 60, 200);
    EXPECT_EQ(58, window->X());
    EXPECT_EQ(342, window->Width());

    Drag(60, 200, 700, 200);
    EXPECT_EQ(100, window->Width());
    EXPECT_EQ(400, window->Right());
}

TEST_F(WindowTest, AClickRaisesAWindowAboveItsSiblings)
{
    WindowControl* lower = AddWindow(100, 100);
    WindowControl* upper = AddWindow(150, 150);
    EXPECT_TRUE(upper->IsOnTop());
    EXPECT_FALSE(lower->IsOnTop());

    MoveMouse(120, 250);
    Click();
    EXPECT_TRUE(lower->IsOnTop());
    EXPECT_EQ(lower, canvas->GetChildren().back());

    lower->Hide();
    upper->Show();
    lower->Show(); // showing raises too
    EXPECT_TRUE(lower->IsOnTop());
}

TEST_F(WindowTest, AModalBlocksClicksBeneathUntilItIsClosed)
{
    Counter presses;
    Gui::Controls::Button* button = new Gui::Controls::Button(canvas.get());
    button->SetBounds(600, 500, 100, 30);
    button->onPress.AddHandler(&presses, &Counter::Count);
    WindowControl* window = AddWindow();
    window->MakeModal(true);
    window->MakeModal(true);
    canvas->DoThink();
    EXPECT_EQ(1, Blockers());

    MoveMouse(610, 510);
    Click();
    EXPECT_EQ(0, presses.count);

    window->CloseButtonPressed();
    EXPECT_FALSE(window->IsModal());
    EXPECT_TRUE(window->Hidden());
    canvas->DoThink();
    EXPECT_EQ(0, Blockers());
    MoveMouse(611, 511);
    Click();
    EXPECT_EQ(1, presses.count);

    // Deleted after closing: the blocker it had is long gone and is not touched.
    delete window;
    canvas->DoThink();
    EXPECT_EQ(0, Blockers());
}

TEST_F(WindowTest, AModalWindowGoesWithItsBlockerAndWithTheCanvas)
{
    WindowControl* deletedDirectly = AddWindow();
    deletedDirectly->MakeModal(false);
    delete deletedDirectly;
    canvas->DoThink();
    EXPECT_EQ(0, Blockers());

    // Left modal on the canvas: the canvas's teardown deletes blocker and window once each.
    AddWindow()->MakeModal(true);
}

TEST_F(WindowTest, TheCloseButtonHidesAndDeleteOnCloseDeletesAtTheNextThink)
{
    WindowControl* keeper = AddWindow();
    WindowControl* goner = AddWindow(200, 200);
    goner->SetDeleteOnClose(true);
    Counter closed;
    goner->onWindowClosed.AddHandler(&closed, &Counter::Count);

    // The close button sits at the title bar's right end.
    const Gui::Point closeButton = goner->GetCloseButton()->LocalPosToCanvas(Gui::Point(5, 5));
    MoveMouse(closeButton.x, closeButton.y);
    Click();
    EXPECT_EQ(1, closed.count);
    EXPECT_TRUE(OnCanvas(goner));
    canvas->DoThink();
    EXPECT_FALSE(OnCanvas(goner));

    keeper->CloseButtonPressed();
    canvas->DoThink();
    EXPECT_TRUE(OnCanvas(keeper));
    EXPECT_TRUE(keeper->Hidden());
}

TEST_F(WindowTest, DisableResizingStopsAllEightResizers)
{
    WindowControl* window = AddWindow();
    EXPECT_EQ(nullptr, window->GetResizer(0));
    EXPECT_EQ(nullptr, window->GetResizer(5));
    window->DisableResizing();
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9})
    {
        ASSERT_NE(nullptr, window->GetResizer(i));
        EXPECT_FALSE(window->GetResizer(i)->GetMouseInputEnabled()) << "resizer " << i;
    }
    canvas->DoThink();
    Drag(102, 102, 50, 50); // the top-left corner
    EXPECT_EQ(300, window->Width());
}

// A blocker needs a canvas to delete it again: outside any canvas's tree the window refuses.
TEST_F(WindowTest, AWindowWithoutACanvasIsNotMadeModal)
{
    Gui::Controls::Base detached(nullptr);
    detached.SetSkin(&skin);
    WindowControl* window = new WindowControl(&detached);
    window->SetTitle("Loose");
    window->MakeModal();
    EXPECT_TRUE(!window->IsModal() && window->GetParent() == &detached);
    EXPECT_EQ("WARNING: The window \"Loose\" has no canvas and cannot be made modal.\n", s_output);
}
