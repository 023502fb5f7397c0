// Focus, tab order, key repeat, accelerators, double clicks and dragging, with the toolkit
// clock driven by hand.
#include "GuiFixture.h"

#include "gui/input/DragAndDrop.h"
#include "gui/input/Keys.h"

#include <vector>

using Gui::Controls::Base;

namespace
{
// Remembers the clicks and keys it gets.
class Recorder : public Base
{
public:
    explicit Recorder(Base* parent) : Base(parent)
    {
        SetKeyboardInputEnabled(true);
        SetTabable(true);
    }

    void OnMouseClickLeft(int, int, bool down) override { events.push_back(down ? "down" : "up"); }
    void OnMouseDoubleClickLeft(int, int) override { events.push_back("double"); }
    bool OnKeyReturn(bool down) override
    {
        if (down)
        {
            ++returns;
        }
        return true;
    }
    void OnAccelerator() { ++accelerated; }

    std::vector<std::string> events;
    int returns = 0;
    int accelerated = 0;
};

class InputTest : public GuiFixture
{
protected:
    Recorder* Add(int x, int y)
    {
        Recorder* control = new Recorder(canvas.get());
        control->SetBounds(x, y, 50, 50);
        return control;
    }

    // A press and release at the pointer, then time passing with the canvas thinking.
    void ClickAndWait(double seconds)
    {
        Click();
        Wait(seconds);
    }
};
}

TEST_F(InputTest, TabWalksTheLaidOutControlsAndWrapsFromLastToFirst)
{
    Recorder* first = Add(0, 0);
    Recorder* second = Add(100, 0);
    Recorder* third = Add(200, 0);
    Recorder* hidden = Add(300, 0);
    hidden->Hide();
    canvas->DoThink();
    // Nothing focused: the first tabable control is next.
    EXPECT_EQ(first, canvas->NextTab);

    first->Focus();
    std::vector<Base*> visited;
    for (int i = 0; i < 4; ++i)
    {
        canvas->DoThink();
        canvas->OnKey(Gui::Key::Tab, true);
        canvas->OnKey(Gui::Key::Tab, false);
        visited.push_back(Gui::KeyboardFocus);
    }
    EXPECT_EQ((std::vector<Base*>{second, third, first, second}), visited);
}

TEST_F(InputTest, AClickFocusesTheFirstControlUpTheTreeThatTakesKeys)
{
    Recorder* parent = Add(0, 0);
    Base* child = new Base(parent);
    child->SetBounds(0, 0, 10, 10);
    MoveMouse(5, 5);
    EXPECT_EQ(child, Gui::HoveredControl);
    Click();
    EXPECT_EQ(parent, Gui::KeyboardFocus);

    // The canvas background is not a click.
    MoveMouse(700, 500);
    EXPECT_FALSE(canvas->OnMouseButton(0, true));
    EXPECT_EQ(parent, Gui::KeyboardFocus);
}

TEST_F(InputTest, AHeldKeyRepeatsAfterADelayThenSteadily)
{
    Recorder* control = Add(0, 0);
    control->Focus();
    canvas->OnKey(Gui::Key::Return, true);
    EXPECT_EQ(1, control->returns);
    // A second press event for a key already down is ignored.
    canvas->OnKey(Gui::Key::Return, true);
    EXPECT_EQ(1, control->returns);

    Wait(0.29);
    EXPECT_EQ(1, control->returns);
    Wait(0.02);
    EXPECT_EQ(2, control->returns);
    // Frames of 1/60 s: one repeat per think at most, each 0.03 s after the last.
    Wait(0.3);
    EXPECT_GE(control->returns, 10);
    EXPECT_LE(control->returns, 12);

    canvas->OnKey(Gui::Key::Return, false);
    const int released = control->returns;
    Wait(1.0);
    EXPECT_EQ(released, control->returns);
    EXPECT_FALSE(canvas->OnKey(0, true));
    EXPECT_FALSE(canvas->OnKey(16, true));
}

TEST_F(InputTest, AcceleratorsCarryTheModifiersAndTheUpperCaseLetter)
{
    Recorder* control = Add(0, 0);
    control->AddAccelerator("CTRL+SHIFT+A").AddHandler(control, &Recorder::OnAccelerator);
    canvas->OnKey(Gui::Key::Control, true);
    canvas->OnKey(Gui::Key::Shift, true);
    EXPECT_EQ(L"CTRL+SHIFT+A", Gui::Input::AcceleratorText(L'a'));
    EXPECT_TRUE(canvas->OnCharacter(L'a'));
    EXPECT_EQ(1, control->accelerated);

    canvas->OnKey(Gui::Key::Shift, false);
    EXPECT_FALSE(canvas->OnCharacter(L'a'));
    EXPECT_EQ(1, control->accelerated);
}

TEST_F(InputTest, ADoubleClickNeedsTwoPressesAtOnePlaceWithinHalfASecond)
{
    Recorder* control = Add(0, 0);
    // Each case from a fresh clock, so the times are exact.
    auto pressTwice = [&](double apart, int secondX) {
        RestartClock();
        control->events.clear();
        MoveMouse(10, 10);
        ClickAndWait(apart);
        MoveMouse(secondX, 10);
        Click();
        return control->events;
    };
    EXPECT_EQ((std::vector<std::string>{"down", "up", "double", "up"}), pressTwice(0.49, 10));
    EXPECT_EQ((std::vector<std::string>{"down", "up", "down", "up"}), pressTwice(0.5, 10));
    EXPECT_EQ((std::vector<std::string>{"down", "up", "down", "up"}), pressTwice(0.1, 11));
}

// The clock follows real time between presses: presses seconds apart are single clicks
// even when each frame takes long.
TEST_F(InputTest, PressesSecondsApartAreSingleClicksAndTheFirstPressIsNeverADouble)
{
    Recorder* control = Add(0, 0);
    MoveMouse(0, 0);
    Click();
    EXPECT_EQ("down", control->events.front());
    control->events.clear();
    for (int frame = 0; frame < 10; ++frame)
    {
        s_now += 0.3;
        canvas->DoThink();
    }
    Click();
    EXPECT_EQ((std::vector<std::string>{"down", "up"}), control->events);
}

TEST_F(InputTest, DraggingStartsPastFourPixelsAndDropsOnAnAcceptingControl)
{
    struct Target : Base
    {
        using Base::Base;
        bool DragAndDrop_CanAcceptPackage(Gui::DragAndDrop::Package*) override { return true; }
    };
    Recorder* source = Add(0, 0);
    source->DragAndDrop_SetPackage(true, "card");
    Target* target = new Target(canvas.get());
    target->SetBounds(200, 200, 50, 50);

    MoveMouse(10, 10);
    canvas->OnMouseButton(0, true);
    MoveMouse(12, 12);
    EXPECT_EQ(nullptr, Gui::DragAndDrop::CurrentPackage());
    MoveMouse(13, 12);
    EXPECT_NE(nullptr, Gui::DragAndDrop::CurrentPackage());

    MoveMouse(210, 210);
    canvas->OnMouseButton(0, false);
    EXPECT_EQ(target, source->GetParent());
    EXPECT_EQ(nullptr, Gui::DragAndDrop::CurrentPackage());

    // A second drag from the same pixel grabs again.
    MoveMouse(210, 210);
    canvas->OnMouseButton(0, true);
    MoveMouse(220, 210);
    EXPECT_NE(nullptr, Gui::DragAndDrop::CurrentPackage());
    canvas->OnMouseButton(0, false);
}

// A control made at a dead key holder's address and focused must not get the held key repeating.
TEST_F(InputTest, AKeyHeldWhenItsControlDiesRepeatsIntoNoLaterControl)
{
    alignas(Recorder) unsigned char storage[sizeof(Recorder)];
    Recorder* first = new (storage) Recorder(canvas.get());
    first->Focus();
    canvas->OnKey(Gui::Key::Return, true);
    EXPECT_EQ(1, first->returns);
    first->~Recorder();
    Recorder* second = new (storage) Recorder(canvas.get());
    second->Focus();
    Wait(1.0);
    EXPECT_EQ(0, second->returns);
    EXPECT_FALSE(Gui::Input::IsKeyDown(Gui::Key::Return));
    second->~Recorder();
}
