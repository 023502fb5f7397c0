#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/core/WorldIterator.h"
#include "support/TestRenderable.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
std::vector<Renderable*> Contents()
{
    std::vector<Renderable*> all;
    for (WorldIterator it = World::GetInstance()->GetFirstRenderable(); *it != 0; ++it)
    {
        all.push_back(*it);
    }
    return all;
}

class WorldLayersTest : public ::testing::Test
{
protected:
    World& world() { return *World::GetInstance(); }
    void TearDown() override { world().UnloadAll(); }
    // Destroys an owner (see Owner) and ticks twice: the owner's destructor destroys the owned.
    void DestroyAnOwner(int ownerLayer, int ownedLayer);
    std::vector<std::string> journal;
};

class KeepsNamed : public GameManager
{
public:
    bool IsProtectedFromUnload(Renderable* r) override
    {
        return static_cast<TestRenderable*>(r)->name == "keep";
    }
    void ReceiveMessage(Message*) override {}
};

// Destroys what it owns as it is deleted.
struct Owner : TestRenderable
{
    Owner(Renderable* owned, std::vector<std::string>* journal) : TestRenderable("owner", journal), owned(owned) {}
    ~Owner() override { owned->Destroy(); }
    Renderable* owned;
};

void WorldLayersTest::DestroyAnOwner(int ownerLayer, int ownedLayer)
{
    TestRenderable* owned = new TestRenderable("owned", &journal);
    Owner* owner = new Owner(owned, &journal);
    world().Add(owned, ownedLayer);
    world().Add(owner, ownerLayer);
    owner->Destroy();
    world().Tick(true);
    world().Tick(true);
}
}

TEST_F(WorldLayersTest, IteratesLayersAscendingInInsertionOrderSkippingEmptyOnes)
{
    TestRenderable* a = new TestRenderable("a");
    TestRenderable* b = new TestRenderable("b");
    TestRenderable* c = new TestRenderable("c");
    TestRenderable* d = new TestRenderable("d");
    world().Add(a, 5);
    world().Add(b, -2);
    world().Add(c, 5);
    world().Add(d, 0);
    world().Remove(d);  // layer 0 stays, empty
    std::vector<Renderable*> expected = {b, a, c};
    EXPECT_EQ(expected, Contents());
    EXPECT_EQ(5, a->GetLayer());
    delete d;
}

TEST_F(WorldLayersTest, NamedLayersAndUnknownNamesMeanLayerZero)
{
    world().NameLayer("hud", 9);
    TestRenderable* a = new TestRenderable("a");
    TestRenderable* b = new TestRenderable("b");
    world().Add(a, "hud");
    world().Add(b, "nowhere");
    EXPECT_EQ(9, a->GetLayer());
    EXPECT_EQ(0, b->GetLayer());
    world().NameLayer("hud", 3);
    EXPECT_EQ(3, world().GetLayerByName("hud"));
}

TEST_F(WorldLayersTest, AddingTwiceKeepsOneEntry)
{
    TestRenderable* a = new TestRenderable("a");
    world().Add(a, 1);
    world().Add(a, 2);
    EXPECT_EQ(1u, Contents().size());
    EXPECT_EQ(1, a->GetLayer());
    world().Add(0, 1);  // refused with a warning
    EXPECT_EQ(1u, Contents().size());
}

TEST_F(WorldLayersTest, ChangesMadeWhileLockedWaitForTheDeferredStep)
{
    TestRenderable* host = new TestRenderable("host", &journal);
    TestRenderable* added = new TestRenderable("added", &journal);
    TestRenderable* removed = new TestRenderable("removed", &journal);
    TestRenderable* moved = new TestRenderable("moved", &journal);
    world().Add(host, 1);
    world().Add(removed, 2);
    world().Add(moved, 3);
    host->onUpdate = [&](TestRenderable*) {
        world().Add(added, 0);
        world().Remove(removed);
        world().UpdateLayer(moved, 0);
        // Nothing has changed yet inside the pass.
        EXPECT_EQ(3u, Contents().size());
        EXPECT_EQ(3, moved->GetLayer());
    };
    world().Tick(true);
    host->onUpdate = nullptr;

    std::vector<Renderable*> expected = {added, moved, host};
    EXPECT_EQ(expected, Contents());
    // The added one was not updated in the pass it was added in.
    EXPECT_TRUE(added->updateSteps.empty());
    delete removed;
}

TEST_F(WorldLayersTest, AddThenRemoveInOnePassEndsOnNoLayer)
{
    TestRenderable* host = new TestRenderable("host");
    TestRenderable* temp = new TestRenderable("temp");
    world().Add(host, 1);
    host->onUpdate = [&](TestRenderable* self) {
        world().Add(temp, 2);
        world().Remove(temp);
        self->onUpdate = nullptr;
    };
    world().Tick(true);
    EXPECT_EQ(1u, Contents().size());
    delete temp;
}

TEST_F(WorldLayersTest, LayerChangeThenImmediateRemoveStaysRemoved)
{
    TestRenderable* a = new TestRenderable("a");
    world().Add(a, 1);
    world().UpdateLayer(a, 4);
    world().Remove(a);
    world().Tick(true);
    EXPECT_TRUE(Contents().empty());
    delete a;
}

TEST_F(WorldLayersTest, MovingTwiceInOneTickAppliesBothMovesInOrder)
{
    TestRenderable* a = new TestRenderable("a");
    world().Add(a, 1);
    world().UpdateLayer(a, 4);
    world().UpdateLayer(a, 7);
    world().UpdateLayer(a, 1);  // queued: the layer field still says 1
    world().Tick(true);
    EXPECT_EQ(7, a->GetLayer());
    EXPECT_EQ(1u, Contents().size());
}

TEST_F(WorldLayersTest, DestroyedDuringUpdateIsDeletedInTheSameTickAfterItsUpdate)
{
    TestRenderable* killer = new TestRenderable("killer", &journal);
    TestRenderable* victim = new TestRenderable("victim", &journal);
    world().Add(killer, 1);
    world().Add(victim, 2);
    killer->onUpdate = [&](TestRenderable*) { victim->Destroy(); victim->Destroy(); };
    EXPECT_EQ(0, victim->preDestroys);
    world().Tick(true);
    std::vector<std::string> expected = {"update killer", "update victim", "delete victim"};
    EXPECT_EQ(expected, journal);
    EXPECT_EQ(1u, Contents().size());
}

// The cleanup pass walks the layers only after a destroy: one destroyed before it was added,
// or by the destructor of one the pass deletes, must still be deleted.
TEST_F(WorldLayersTest, DestroyedBeforeBeingAddedOrByAnotherOnesDeletionIsDeletedAtTheNextTick)
{
    world().Tick(true);
    TestRenderable* early = new TestRenderable("early", &journal);
    early->Destroy();
    world().Tick(true);
    world().Add(early, 1);
    world().Tick(true);
    DestroyAnOwner(2, 1);
    std::vector<std::string> expected = {"update early", "delete early", "update owned", "update owner",
                                         "delete owner", "update owned", "delete owned"};
    EXPECT_EQ(expected, journal);
    EXPECT_TRUE(Contents().empty());
}

// The pass walks one renderable at a time: one destroyed by the destructor of one before it is
// deleted in the same pass, not updated once more after its owner is gone.
TEST_F(WorldLayersTest, DestroyedByAnEarlierOnesDeletionIsDeletedInTheSamePass)
{
    DestroyAnOwner(1, 2);
    std::vector<std::string> expected = {"update owner", "update owned", "delete owner", "delete owned"};
    EXPECT_EQ(expected, journal);
    EXPECT_TRUE(Contents().empty());
}

TEST_F(WorldLayersTest, DestroyedOneWithPendingChangesLeavesTheDeferredLists)
{
    TestRenderable* host = new TestRenderable("host");
    TestRenderable* victim = new TestRenderable("victim");
    world().Add(host, 1);
    world().Add(victim, 2);
    host->onUpdate = [&](TestRenderable* self) {
        world().UpdateLayer(victim, 5);
        world().Remove(victim);
        victim->Destroy();
        self->onUpdate = nullptr;
    };
    // Would touch freed memory (caught by the sanitizer build) if the lists kept it.
    world().Tick(true);
    world().Tick(true);
    EXPECT_EQ(1u, Contents().size());
}

// A form holds its buttons as members on the layer above and, like them, removes itself in its
// destructor: deleting it deletes what the walk stands on next and queues removals of freed
// objects. Neither pass may read freed memory (the sanitizer build sees it) or delete twice.
TEST_F(WorldLayersTest, PassesSurviveDestructorsThatRemoveOrDeleteOthers)
{
    struct Member : TestRenderable
    {
        using TestRenderable::TestRenderable;
        ~Member() override { World::GetInstance()->Remove(this); }
    };
    struct Form : Member
    {
        explicit Form(std::vector<std::string>* journal) : Member("form", journal), button("button", journal)
        {
            World::GetInstance()->Add(this, 1);
            World::GetInstance()->Add(&button, 2);
        }
        Member button;
    };
    world().Add(new TestRenderable("last", &journal), 3);
    (new Form(&journal))->Destroy();
    world().Tick(true);
    new Form(&journal);
    world().UnloadAll();
    std::vector<std::string> expected = {"update form", "update button", "update last", "delete button",
                                         "delete form", "delete button", "delete form", "delete last"};
    EXPECT_EQ(expected, journal);
    EXPECT_TRUE(Contents().empty());
}

// The unload walks one renderable at a time: a PreDestroy sees what is still to come, and what
// it adds on a layer ahead of the walk is unloaded too.
TEST_F(WorldLayersTest, UnloadDeletesWhatAPreDestroyAddsAhead)
{
    struct Spawner : TestRenderable
    {
        using TestRenderable::TestRenderable;
        void PreDestroy() override
        {
            journal->push_back(std::to_string(Contents().size()) + " ahead");
            World::GetInstance()->Add(new TestRenderable("spawned", journal), 5);
        }
    };
    world().Add(new Spawner("spawner", &journal), 1);
    world().Add(new TestRenderable("later", &journal), 3);
    world().UnloadAll();
    std::vector<std::string> expected = {"1 ahead", "delete spawner", "delete later", "delete spawned"};
    EXPECT_EQ(expected, journal);
    EXPECT_TRUE(Contents().empty());
}

TEST_F(WorldLayersTest, PausedSimulationDeletesNothingAndAppliesNothing)
{
    TestRenderable* a = new TestRenderable("a");
    world().Add(a, 1);
    a->Destroy();
    world().UpdateLayer(a, 3);
    world().Tick(false);
    EXPECT_EQ(1u, Contents().size());
    EXPECT_TRUE(a->updateSteps.empty());
    world().Tick(true);
    EXPECT_TRUE(Contents().empty());
}

TEST_F(WorldLayersTest, UnloadKeepsWhatTheGameManagerProtects)
{
    world().SetGameManager(new KeepsNamed());
    bool dropDeleted = false;
    TestRenderable* keep = new TestRenderable("keep");
    TestRenderable* drop = new TestRenderable("drop");
    drop->deletedFlag = &dropDeleted;
    world().Add(keep, 1);
    world().Add(drop, 1);
    world().DrawDebugLine(Vector2(0, 0), Vector2(1, 1), -1.0f);
    world().UnloadAll();
    std::vector<Renderable*> expected = {keep};
    EXPECT_EQ(expected, Contents());
    EXPECT_TRUE(dropDeleted);
    EXPECT_EQ(0u, world().GetDebugDrawingCount());
    world().Remove(keep);
    delete keep;
}

TEST_F(WorldLayersTest, DebugLinesExpireByFrameTimeAndPermanentOnesStay)
{
    world().DrawDebugLine(Vector2(0, 0), Vector2(1, 0), 0.0f);
    world().DrawDebugLine(Vector2(0, 0), Vector2(1, 0), -1.0f);
    world().DrawDebugLine(Vector2(0, 0), Vector2(1, 0), 60.0f);
    world().Tick(true);
    EXPECT_EQ(2u, world().GetDebugDrawingCount());
    world().PurgeDebugDrawing();
    EXPECT_EQ(0u, world().GetDebugDrawingCount());
}

TEST_F(WorldLayersTest, SecondGameManagerIsRefused)
{
    KeepsNamed* first = new KeepsNamed();
    KeepsNamed second;
    world().SetGameManager(first);
    world().SetGameManager(&second);
    world().SetGameManager(0);
    EXPECT_EQ(first, world().GetGameManager());
}
