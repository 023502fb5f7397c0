// Tags and unique names.
#include "engine/actors/Actor.h"
#include "engine/actors/TagCollection.h"
#include "engine/core/GameManager.h"
#include "engine/core/World.h"

#include <gtest/gtest.h>

TEST(ActorTags, AreLowerCasedAndQueriesIntersect)
{
    Actor enemyShip;
    Actor friendlyShip;
    Actor rock;
    enemyShip.Tag("Enemy, Ship");
    friendlyShip.Tag("ship friend");
    rock.Tag("enemy");
    EXPECT_TRUE(enemyShip.IsTagged("ENEMY"));
    EXPECT_EQ(2u, enemyShip.GetTags().size());

    TagCollection* tags = TagCollection::GetInstance();
    EXPECT_EQ(ActorSet({&enemyShip}), tags->GetObjectsTagged("ship enemy"));
    EXPECT_EQ(ActorSet({&enemyShip, &friendlyShip}), tags->GetObjectsTagged("Ship"));
    EXPECT_EQ(ActorSet({&enemyShip, &rock}), tags->GetObjectsTagged(" enemy ,"));
    EXPECT_TRUE(tags->GetObjectsTagged("ship, rock").empty());
    EXPECT_TRUE(tags->GetObjectsTagged("").empty());
    EXPECT_TRUE(tags->GetObjectsTagged("nothing").empty());

    enemyShip.Untag("Enemy");
    EXPECT_FALSE(enemyShip.IsTagged("enemy"));
    EXPECT_EQ(ActorSet({&rock}), tags->GetObjectsTagged("enemy"));
}

TEST(ActorTags, LeaveTheCollectionWithTheActor)
{
    TagCollection* tags = TagCollection::GetInstance();
    {
        Actor buoy;
        buoy.Tag("buoy");
        EXPECT_EQ(1u, tags->GetObjectsTagged("buoy").size());
    }
    EXPECT_TRUE(tags->GetObjectsTagged("buoy").empty());
    EXPECT_EQ(0u, tags->GetTagList().count("buoy"));
}

TEST(ActorNames, ClashesGetACounterAndLookupIsExact)
{
    Actor first;
    Actor second;
    EXPECT_EQ("Ship", first.SetName("ship"));
    EXPECT_EQ("Ship1", second.SetName("ship"));
    EXPECT_EQ(&first, Actor::GetNamed("Ship"));
    EXPECT_EQ(&second, Actor::GetNamed("Ship1"));
    EXPECT_EQ(0, Actor::GetNamed("ship"));
    // Naming an actor again with its own name keeps it.
    EXPECT_EQ("Ship", first.SetName("Ship"));
}

TEST(ActorNames, TheCounterNeverYieldsATakenName)
{
    Actor holder;
    Actor plain;
    Actor clash;
    EXPECT_EQ("Buoy1", holder.SetName("Buoy1"));
    EXPECT_EQ("Buoy", plain.SetName("buoy"));
    const String name = clash.SetName("buoy");
    EXPECT_NE("Buoy", name);
    EXPECT_NE("Buoy1", name);
    EXPECT_EQ(&clash, Actor::GetNamed(name));
    EXPECT_EQ(&holder, Actor::GetNamed("Buoy1"));
}

TEST(ActorNames, RenamedOrDeletedActorsLeaveTheRegistry)
{
    Actor* actor = new Actor();
    actor->SetName("Gull");
    actor->SetName("Tern");
    EXPECT_EQ(0, Actor::GetNamed("Gull"));
    EXPECT_EQ(actor, Actor::GetNamed("Tern"));
    delete actor;
    EXPECT_EQ(0, Actor::GetNamed("Tern"));
}

TEST(ActorNames, EmptyNameBecomesTheClassName)
{
    Actor actor;
    EXPECT_EQ("Actor", actor.SetName(""));
}

TEST(ActorNames, AddingToTheWorldRegistersTheName)
{
    Actor* first = new Actor();
    Actor* second = new Actor();
    first->SetName("ship");
    World::GetInstance()->Add(first, 1);
    EXPECT_EQ("Ship", first->GetName());
    World::GetInstance()->Add(second, 1);
    EXPECT_EQ(second, Actor::GetNamed(second->GetName()));
    EXPECT_NE(String(""), second->GetName());
    World::GetInstance()->UnloadAll();
    EXPECT_EQ(0, Actor::GetNamed("Ship"));
}

TEST(ActorLayers, MoveIsDeferredToTheNextTick)
{
    World* world = World::GetInstance();
    Actor* actor = new Actor();
    world->Add(actor, 2);
    actor->SetLayer(2);
    actor->SetLayer(4);
    EXPECT_EQ(2, actor->GetLayer());
    world->Tick(true);
    EXPECT_EQ(4, actor->GetLayer());
    world->NameLayer("hud", 9);
    actor->SetLayer("hud");
    world->Tick(true);
    EXPECT_EQ(9, actor->GetLayer());
    world->UnloadAll();
}

namespace
{
class KeepsOne : public GameManager
{
public:
    explicit KeepsOne(Renderable* kept) : kept(kept) {}
    bool IsProtectedFromUnload(Renderable* renderable) override { return renderable == kept; }
    void ReceiveMessage(Message*) override {}
    Renderable* kept;
};

class Survivor : public Actor
{
public:
    void LevelUnloaded() override { ++unloads; }
    int unloads = 0;
};
}

TEST(ActorUnload, ProtectedActorsHearTheUnload)
{
    World* world = World::GetInstance();
    Survivor* survivor = new Survivor();
    Actor* other = new Actor();
    other->SetName("Flotsam");
    world->Add(survivor, 1);
    world->Add(other, 1);
    world->SetGameManager(new KeepsOne(survivor));
    world->UnloadAll();
    EXPECT_EQ(1, survivor->unloads);
    EXPECT_EQ(0, Actor::GetNamed("Flotsam"));
    ASSERT_EQ(1u, world->GetLayers().at(1).size());
    EXPECT_EQ(survivor, world->GetLayers().at(1).front());
}
