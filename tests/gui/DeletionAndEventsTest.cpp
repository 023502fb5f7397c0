// Deferred deletion through the canvas and event sources whose handlers change them while
// they fire.
#include "GuiFixture.h"

#include "gui/Texture.h"
#include "gui/events/Dispatcher.h"

#include <set>
#include <vector>

using Gui::Controls::Base;

namespace
{
// Counts the deletions of its instances, so a double delete shows as a repeated entry
// (and under the sanitizers as the use after free it is).
std::vector<Base*> s_deleted;

class Counted : public Base
{
public:
    using Base::Base;
    ~Counted() override { s_deleted.push_back(this); }
};

// Queues another control from its own pre-delete hook.
class Chained : public Counted
{
public:
    Chained(Base* parent, Base* next) : Counted(parent), _next(next) {}
    void PreDelete(Gui::Skin::Base*) override { _next->DelayedDelete(); }

private:
    Base* _next;
};

class Listener : public Gui::Event::Handler
{
public:
    void Count(Base*) { ++calls; }
    void RemoveOther(Base*)
    {
        ++calls;
        source->RemoveHandler(other);
    }
    void DeleteOther(Base*)
    {
        ++calls;
        delete other;
    }
    void DeleteSource(Base*)
    {
        ++calls;
        delete owner;
    }
    void ReadPacket(const Gui::Event::Information& information) { packetValue = information.Packet->Integer; }

    int calls = 0;
    int packetValue = 0;
    Gui::Event::Dispatcher* source = nullptr;
    Listener* other = nullptr;
    Base* owner = nullptr;
};

class DeletionTest : public GuiFixture
{
protected:
    void SetUp() override
    {
        GuiFixture::SetUp();
        s_deleted.clear();
    }

    int TimesDeleted(Base* control)
    {
        int times = 0;
        for (Base* deleted : s_deleted)
        {
            times += deleted == control ? 1 : 0;
        }
        return times;
    }
};
}

TEST_F(DeletionTest, EachQueuedControlIsDeletedOnce)
{
    Counted* parent = new Counted(canvas.get());
    Counted* child = new Counted(parent);
    Counted* twice = new Counted(canvas.get());
    child->DelayedDelete();
    parent->DelayedDelete();
    twice->DelayedDelete();
    twice->DelayedDelete();
    // Queued controls stay until the next think.
    EXPECT_TRUE(s_deleted.empty());
    canvas->DoThink();
    EXPECT_EQ(1, TimesDeleted(parent));
    EXPECT_EQ(1, TimesDeleted(child));
    EXPECT_EQ(1, TimesDeleted(twice));
    EXPECT_EQ(0u, canvas->NumChildren());
}

TEST_F(DeletionTest, AControlDeletedDirectlyLeavesTheQueue)
{
    Counted* direct = new Counted(canvas.get());
    Counted* holder = new Counted(canvas.get());
    Counted* inner = new Counted(holder);
    direct->DelayedDelete();
    inner->DelayedDelete();
    delete direct;
    delete holder;
    canvas->DoThink();
    EXPECT_EQ(3u, s_deleted.size());
    EXPECT_EQ(1, TimesDeleted(inner));
}

TEST_F(DeletionTest, DeletionsQueuedWhileDeletingHappenInTheSamePass)
{
    Counted* last = new Counted(canvas.get());
    Chained* first = new Chained(canvas.get(), last);
    first->DelayedDelete();
    canvas->ProcessDelayedDeletes();
    EXPECT_EQ((std::vector<Base*>{first, last}), s_deleted);
}

TEST_F(DeletionTest, DeletedControlsLeaveNoGlobalReferenceBehind)
{
    Counted* control = new Counted(canvas.get());
    control->SetBounds(0, 0, 100, 100);
    control->SetKeyboardInputEnabled(true);
    MoveMouse(5, 5);
    Click();
    Gui::MouseFocus = control;
    control->Anim_WidthIn(1.0f);
    control->DelayedDelete();
    canvas->DoThink();
    // The hovered role goes on to what now lies under the pointer.
    EXPECT_EQ(canvas.get(), Gui::HoveredControl);
    EXPECT_EQ(nullptr, Gui::KeyboardFocus);
    EXPECT_EQ(nullptr, Gui::MouseFocus);
    Wait(2.0);
}

TEST_F(DeletionTest, HandlersMayRemoveOrDestroyHandlersAndTheSourceWhileItFires)
{
    Base* owner = new Base(canvas.get());
    owner->SetBounds(0, 0, 10, 10);
    Listener remover;
    Listener* removed = new Listener;
    remover.source = &owner->onHoverEnter;
    remover.other = removed;
    owner->onHoverEnter.AddHandler(&remover, &Listener::RemoveOther);
    owner->onHoverEnter.AddHandler(removed, &Listener::Count);
    owner->onHoverEnter.Fire(owner);
    EXPECT_EQ(1, remover.calls);
    EXPECT_EQ(0, removed->calls);

    Listener destroyer;
    destroyer.other = removed;
    owner->onHoverLeave.AddHandler(&destroyer, &Listener::DeleteOther);
    owner->onHoverLeave.AddHandler(removed, &Listener::Count);
    owner->onHoverLeave.AddHandler(removed, &Listener::Count);
    owner->onHoverLeave.Fire(owner);
    EXPECT_EQ(1, destroyer.calls);
    EXPECT_EQ(1u, owner->onHoverLeave.NumHandlers());

    // The source itself goes with its control during the fire.
    Listener killer;
    Listener after;
    killer.owner = owner;
    owner->onHoverEnter.RemoveHandler(&remover);
    owner->onHoverEnter.AddHandler(&killer, &Listener::DeleteSource);
    owner->onHoverEnter.AddHandler(&after, &Listener::Count);
    owner->onHoverEnter.Fire(owner);
    EXPECT_EQ(1, killer.calls);
    EXPECT_EQ(0, after.calls);
}

TEST_F(DeletionTest, HandlersAreCalledInOrderWithTheirPacketsAndDetachOnDestruction)
{
    Base* owner = new Base(canvas.get());
    Listener twice;
    owner->onHoverEnter.AddHandler(&twice, &Listener::Count);
    owner->onHoverEnter.AddHandler(&twice, &Listener::Count);
    Gui::Event::Packet packet;
    packet.Integer = 42;
    owner->onHoverEnter.AddHandler(&twice, &Listener::ReadPacket, packet);
    owner->onHoverEnter.Fire(owner);
    EXPECT_EQ(2, twice.calls);
    EXPECT_EQ(42, twice.packetValue);
    owner->onHoverEnter.RemoveHandler(&twice);
    owner->onHoverEnter.Fire(owner);
    EXPECT_EQ(2, twice.calls);

    {
        Listener shortLived;
        owner->onHoverEnter.AddHandler(&shortLived, &Listener::Count);
    }
    EXPECT_EQ(0u, owner->onHoverEnter.NumHandlers());
}

// A failed assertion reports and lets the caller step back.
TEST_F(DeletionTest, AssertionsLogAndReturn)
{
    Gui::Texture texture;
    texture.Load("image.png", nullptr);
    EXPECT_EQ("Assert: No renderer!\n", s_output);
    EXPECT_EQ(nullptr, texture.data);
    EXPECT_EQ(4, texture.width);
    EXPECT_FALSE(texture.failed);

    s_output.clear();
    Base orphan(nullptr);
    EXPECT_EQ(nullptr, orphan.GetSkin());
    EXPECT_EQ("Assert: Base::GetSkin Returning NULL!\n\n", s_output);
}
