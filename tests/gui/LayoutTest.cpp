// Docking, margins and padding, hit testing, stacking order and the renderer's clip and
// offset arithmetic, on a recording renderer.
#include "GuiFixture.h"

#include "gui/Pos.h"

using Gui::Controls::Base;
using Gui::Rect;

namespace
{
class LayoutTest : public GuiFixture
{
protected:
    Base* Docked(Base* parent, int dock, int w = 10, int h = 10, Gui::Margin margin = Gui::Margin())
    {
        Base* child = new Base(parent);
        child->SetSize(w, h);
        child->SetMargin(margin);
        child->Dock(dock);
        return child;
    }

    Base* Panel(int w, int h, Gui::Padding padding = Gui::Padding())
    {
        Base* panel = new Base(canvas.get());
        panel->SetBounds(0, 0, w, h);
        panel->SetPadding(padding);
        return panel;
    }
};
}

TEST_F(LayoutTest, SidesAreTakenInOrderAndFillGetsWhatIsLeft)
{
    Base* panel = Panel(100, 50);
    Base* top = Docked(panel, Gui::Pos::Top, 0, 8, Gui::Margin(2, 2, 2, 2));
    Base* left = Docked(panel, Gui::Pos::Left, 10, 0);
    Base* right = Docked(panel, Gui::Pos::Right, 20, 0);
    Base* bottom = Docked(panel, Gui::Pos::Bottom, 0, 5);
    Base* fill = Docked(panel, Gui::Pos::Fill);
    Base* secondFill = Docked(panel, Gui::Pos::Fill);
    canvas->DoThink();

    EXPECT_EQ(Rect(2, 2, 96, 8), top->GetBounds());
    // Below the top child and its margins: 8 + 2 + 2.
    EXPECT_EQ(Rect(0, 12, 10, 38), left->GetBounds());
    EXPECT_EQ(Rect(80, 12, 20, 38), right->GetBounds());
    EXPECT_EQ(Rect(10, 45, 70, 5), bottom->GetBounds());
    EXPECT_EQ(Rect(10, 12, 70, 33), panel->GetInnerBounds());
    EXPECT_EQ(Rect(10, 12, 70, 33), fill->GetBounds());
    EXPECT_EQ(fill->GetBounds(), secondFill->GetBounds());
}

TEST_F(LayoutTest, PaddingMarginsAndNestedDocking)
{
    Base* panel = Panel(200, 100, Gui::Padding(4, 3, 2, 1));
    Base* left = Docked(panel, Gui::Pos::Left, 30, 20);
    Base* filled = Docked(panel, Gui::Pos::Fill, 0, 0, Gui::Margin(1, 1, 1, 1));
    filled->SetPadding(Gui::Padding(5, 5, 5, 5));
    Base* inner = Docked(filled, Gui::Pos::Bottom, 0, 10);
    canvas->DoThink();

    EXPECT_EQ(Rect(4, 3, 30, 96), left->GetBounds());
    EXPECT_EQ(Rect(35, 4, 162, 94), filled->GetBounds());
    EXPECT_EQ(Rect(5, 79, 152, 10), inner->GetBounds());

    // A size change relays the subtree out on the next think; a pure move does not.
    panel->SetSize(300, 100);
    canvas->DoThink();
    EXPECT_EQ(252, inner->Width());
    filled->SetPos(0, 0);
    EXPECT_FALSE(filled->NeedsLayout());
}

// Placed as Top first, then again as Left with the width the Top placing gave it.
TEST_F(LayoutTest, ADoubleDockAppliesBothReductions)
{
    Base* panel = Panel(200, 100, Gui::Padding(4, 3, 2, 1));
    Base* both = Docked(panel, Gui::Pos::Left | Gui::Pos::Top, 30, 20);
    canvas->DoThink();
    EXPECT_EQ(Rect(4, 23, 194, 76), both->GetBounds());
    EXPECT_EQ(Rect(198, 23, 0, 76), panel->GetInnerBounds());
}

TEST_F(LayoutTest, HiddenChildrenTakeNoSpaceButHiddenFillIsStillPlaced)
{
    Base* panel = Panel(100, 100);
    Base* hiddenTop = Docked(panel, Gui::Pos::Top, 0, 30);
    hiddenTop->Hide();
    Base* hiddenFill = Docked(panel, Gui::Pos::Fill);
    hiddenFill->Hide();
    canvas->DoThink();
    EXPECT_EQ(Rect(0, 0, 100, 100), panel->GetInnerBounds());
    EXPECT_EQ(Rect(0, 0, 100, 100), hiddenFill->GetBounds());
    EXPECT_EQ(Rect(0, 0, 0, 30), hiddenTop->GetBounds());
}

TEST_F(LayoutTest, HitTestingFindsTheTopmostMouseEnabledControl)
{
    Base* panel = Panel(100, 100);
    panel->SetPos(50, 50);
    Base* back = new Base(panel);
    back->SetBounds(0, 0, 60, 60);
    Base* front = new Base(panel);
    front->SetBounds(40, 40, 60, 60);

    EXPECT_EQ(front, canvas->GetControlAt(95, 95));
    EXPECT_EQ(back, canvas->GetControlAt(60, 60));
    EXPECT_EQ(panel, canvas->GetControlAt(145, 60));
    EXPECT_EQ(canvas.get(), canvas->GetControlAt(150, 60));
    EXPECT_EQ(nullptr, panel->GetControlAt(100, 0));

    // Transparent to the mouse, but its children are still found.
    front->SetMouseInputEnabled(false);
    Base* button = new Base(front);
    button->SetBounds(10, 10, 5, 5);
    EXPECT_EQ(back, canvas->GetControlAt(95, 95));
    EXPECT_EQ(button, canvas->GetControlAt(102, 102));
    EXPECT_EQ(front, canvas->GetControlAt(95, 95, false));

    front->Hide();
    EXPECT_EQ(back, canvas->GetControlAt(102, 102));
}

TEST_F(LayoutTest, TheFrontMostChildIsOnTopAndStackingMovesIt)
{
    Base* panel = Panel(100, 100);
    Base* a = new Base(panel);
    Base* b = new Base(panel);
    Base* c = new Base(panel);
    EXPECT_TRUE(c->IsOnTop());
    EXPECT_FALSE(a->IsOnTop());

    a->BringToFront();
    EXPECT_TRUE(a->IsOnTop());
    EXPECT_EQ(b, panel->GetChild(0));
    c->SendToBack();
    EXPECT_EQ(c, panel->GetChild(0));
    b->BringNextToControl(c, false);
    EXPECT_EQ(b, panel->GetChild(0));
    b->BringNextToControl(a, true);
    EXPECT_EQ(b, panel->GetChild(2));
    EXPECT_EQ(nullptr, panel->GetChild(3));
}

TEST_F(LayoutTest, NamesAndPositionsConvert)
{
    Base* panel = Panel(100, 100);
    panel->SetPos(30, 40);
    Base* child = new Base(panel, "child");
    child->SetPos(5, 6);
    new Base(child, "");
    EXPECT_EQ(child, canvas->FindChildByName("child", true));
    EXPECT_EQ(nullptr, canvas->FindChildByName("child", false));
    EXPECT_EQ(nullptr, canvas->FindChildByName("", true));
    EXPECT_EQ(Gui::Point(36, 47), child->LocalPosToCanvas(Gui::Point(1, 1)));
    EXPECT_EQ(Gui::Point(1, 1), child->CanvasPosToLocal(Gui::Point(36, 47)));
}

TEST_F(LayoutTest, OffsetsScaleAndClipRegionsCombine)
{
    renderer.SetScale(2.0f);
    renderer.SetRenderOffset(Gui::Point(10, 5));
    renderer.DrawFilledRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(Rect(22, 12, 6, 6), renderer.drawn.back().rect);

    renderer.SetScale(1.0f);
    renderer.SetClipRegion(Rect(0, 0, 100, 100));
    renderer.SetRenderOffset(Gui::Point(-10, 90));
    // Its own position is not used: the rectangle sits at the render offset.
    renderer.AddClipRegion(Rect(500, 500, 30, 30));
    EXPECT_EQ(Rect(0, 90, 20, 10), renderer.ClipRegion());
    EXPECT_TRUE(renderer.ClipRegionVisible());
    renderer.SetRenderOffset(Gui::Point(200, 0));
    renderer.AddClipRegion(Rect(0, 0, 30, 30));
    EXPECT_FALSE(renderer.ClipRegionVisible());
}

TEST_F(LayoutTest, ControlsOutsideTheClipDrawNothing)
{
    Base* panel = new PanelControl(canvas.get());
    panel->SetBounds(10, 10, 50, 50);
    Base* inside = new PanelControl(panel);
    inside->SetBounds(5, 5, 10, 10);
    Base* outside = new PanelControl(panel);
    outside->SetBounds(60, 0, 10, 10);
    for (Base* control : {inside, outside})
    {
        control->SetTabable(true);
        control->SetKeyboardInputEnabled(true);
    }
    outside->Focus();
    canvas->RenderCanvas();
    ASSERT_EQ(2u, skin.drawn.size());
    EXPECT_EQ(inside, skin.drawn[1]);
    EXPECT_TRUE(skin.highlighted.empty());

    inside->Focus();
    renderer.Clear();
    canvas->RenderCanvas();
    ASSERT_EQ(1u, skin.highlighted.size());
    EXPECT_EQ(inside, skin.highlighted[0]);
    // Drawn in canvas coordinates, clipped to its parent.
    EXPECT_EQ(Rect(15, 15, 10, 10), renderer.drawn[1].rect);
    EXPECT_EQ(Rect(15, 15, 10, 10), renderer.drawn[1].clip);
}

// A control left at its default bounds is drawn over its whole size.
TEST_F(LayoutTest, RenderBoundsMatchTheSizeBeforeAnyBoundsChange)
{
    EXPECT_EQ(Rect(0, 0, 10, 10), Base(nullptr).GetRenderBounds());
    new PanelControl(canvas.get());
    canvas->RenderCanvas();
    ASSERT_FALSE(renderer.drawn.empty());
    EXPECT_EQ(Rect(0, 0, 10, 10), renderer.drawn.back().rect);
}
