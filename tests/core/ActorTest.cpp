// Actor properties and timed changes, without drawing.
#include "engine/actors/Actor.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class Arrivals : public MessageListener
{
public:
    explicit Arrivals(const String& name) { Switchboard::GetInstance()->SubscribeTo(this, name); }
    void ReceiveMessage(Message* message) override { senders.push_back(message->GetSender()); }
    size_t Deliver()
    {
        senders.clear();
        Switchboard::GetInstance()->SendAllMessages();
        return senders.size();
    }
    std::vector<MessageListener*> senders;
};
}

TEST(Actor, StartsAsAWhiteUnitSquare)
{
    Actor actor;
    EXPECT_EQ(Vector2(1.0f, 1.0f), actor.GetSize());
    EXPECT_EQ(Vector2(0.0f, 0.0f), actor.GetPosition());
    EXPECT_EQ(Color(1, 1, 1, 1), actor.GetColor());
    EXPECT_EQ(ADS_Square, actor.GetDrawShape());
    EXPECT_EQ(-1, actor.GetSpriteTexture());
    EXPECT_EQ("", actor.GetName());
    EXPECT_EQ("Actor", actor.GetClassName());
    Vector2 lowerLeft, upperRight;
    actor.GetUVs(lowerLeft, upperRight);
    EXPECT_EQ(Vector2(0.0f, 0.0f), lowerLeft);
    EXPECT_EQ(Vector2(1.0f, 1.0f), upperRight);
}

TEST(Actor, SizeCorrectsNegativesAndMakesSquares)
{
    Actor actor;
    actor.SetSize(-2.0f);
    EXPECT_EQ(Vector2(0.0f, 0.0f), actor.GetSize());
    actor.SetSize(3.0f);
    EXPECT_EQ(Vector2(3.0f, 3.0f), actor.GetSize());
    actor.SetSize(3.0f, 0.0f);
    EXPECT_EQ(Vector2(3.0f, 3.0f), actor.GetSize());
    actor.SetSize(Vector2(-1.0f, 2.0f));
    EXPECT_EQ(Vector2(0.0f, 2.0f), actor.GetSize());
}

TEST(Actor, ColourIsClampedButAlphaIsNot)
{
    Actor actor;
    actor.SetColor(2.0f, -1.0f, 0.5f, 3.0f);
    EXPECT_EQ(Color(1.0f, 0.0f, 0.5f, 1.0f), actor.GetColor());
    actor.SetAlpha(1.5f);
    EXPECT_FLOAT_EQ(1.5f, actor.GetAlpha());
}

TEST(Actor, BoundingBoxIgnoresRotation)
{
    Actor actor;
    actor.SetPosition(1.0f, 1.0f);
    actor.SetSize(2.0f, 4.0f);
    actor.SetRotation(45.0f);
    const BoundingBox box = actor.GetBoundingBox();
    EXPECT_EQ(Vector2(0.0f, -1.0f), box.Min);
    EXPECT_EQ(Vector2(2.0f, 3.0f), box.Max);
}

TEST(Actor, UVsKeepTheirCorners)
{
    Actor actor;
    actor.SetUVs(Vector2(0.25f, 0.5f), Vector2(0.75f, 1.0f));
    Vector2 lowerLeft, upperRight;
    actor.GetUVs(lowerLeft, upperRight);
    EXPECT_EQ(Vector2(0.25f, 0.5f), lowerLeft);
    EXPECT_EQ(Vector2(0.75f, 1.0f), upperRight);
}

TEST(ActorTimedChanges, MoveArrivesAndAnnouncesOnce)
{
    Arrivals arrivals("Arrived");
    Actor actor;
    actor.MoveTo(Vector2(4.0f, 2.0f), 0.0f, false, "Arrived");
    EXPECT_TRUE(actor.IsMoving());
    actor.Update(0.0f);
    EXPECT_EQ(Vector2(4.0f, 2.0f), actor.GetPosition());
    EXPECT_FALSE(actor.IsMoving());
    ASSERT_EQ(1u, arrivals.Deliver());
    EXPECT_EQ(&actor, arrivals.senders[0]);
    actor.Update(1.0f);
    EXPECT_EQ(0u, arrivals.Deliver());
}

TEST(ActorTimedChanges, ASecondMoveReplacesTheFirstAndItsMessage)
{
    Arrivals first("First");
    Arrivals second("Second");
    Actor actor;
    actor.MoveTo(Vector2(10.0f, 0.0f), 1.0f, false, "First");
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(5.0f, actor.GetPosition().X);
    actor.MoveTo(Vector2(5.0f, 10.0f), 1.0f, false, "Second");
    actor.Update(2.0f);
    EXPECT_EQ(Vector2(5.0f, 10.0f), actor.GetPosition());
    Switchboard::GetInstance()->SendAllMessages();
    EXPECT_EQ(0u, first.senders.size());
    EXPECT_EQ(1u, second.senders.size());
}

// Once every change has ended the tick skips them: each kind started afterwards must still run.
TEST(ActorTimedChanges, ChangesStartedAfterAllHaveEndedStillRun)
{
    Actor actor;
    actor.MoveTo(Vector2(1.0f, 0.0f), 0.5f);
    actor.Update(1.0f);
    actor.Update(1.0f);
    actor.RotateTo(90.0f, 1.0f);
    actor.ChangeSizeTo(5.0f, 2.0f);
    actor.Update(1.0f);
    EXPECT_FLOAT_EQ(90.0f, actor.GetRotation());
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(4.0f, actor.GetSize().X);
    actor.Update(1.0f);
    actor.ChangeColorTo(Color(0, 0, 0, 1), 1.0f);
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(0.5f, actor.GetColor().G);
    actor.Update(1.0f);
    actor.ChangeAlphaTo(0.0f, 1.0f);
    actor.Update(0.25f);
    EXPECT_FLOAT_EQ(0.75f, actor.GetAlpha());
    actor.MoveTo(Vector2(3.0f, 0.0f), 1.0f);
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(2.0f, actor.GetPosition().X);
}

TEST(ActorTimedChanges, SmoothMoveEasesInAndOut)
{
    Actor actor;
    actor.MoveTo(Vector2(8.0f, 0.0f), 2.0f, true);
    actor.Update(0.5f);
    EXPECT_LT(actor.GetPosition().X, 2.0f);
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(4.0f, actor.GetPosition().X);
}

TEST(ActorTimedChanges, RotationColourAlphaAndSize)
{
    Arrivals done("Done");
    Actor actor;
    actor.SetRotation(350.0f);
    actor.RotateTo(10.0f, 1.0f);
    actor.SetColor(0, 0, 0, 1);
    actor.ChangeColorTo(Color(1, 1, 1, 0), 1.0f);
    actor.ChangeAlphaTo(0.5f, 2.0f);
    actor.ChangeSizeTo(3.0f, 1.0f, false, "Done");
    actor.Update(0.5f);
    // No wrapping: back through 180.
    EXPECT_FLOAT_EQ(180.0f, actor.GetRotation());
    EXPECT_FLOAT_EQ(0.5f, actor.GetColor().R);
    // The alpha change runs after the colour change and wins.
    EXPECT_FLOAT_EQ(0.875f, actor.GetAlpha());
    EXPECT_EQ(Vector2(2.0f, 2.0f), actor.GetSize());
    actor.Update(0.5f);
    EXPECT_FLOAT_EQ(10.0f, actor.GetRotation());
    EXPECT_EQ(Vector2(3.0f, 3.0f), actor.GetSize());
    EXPECT_EQ(1u, done.Deliver());
}

TEST(Interval, DefaultIsInactiveAndStepsClampAtTheEnd)
{
    Interval<float> idle;
    EXPECT_FALSE(idle.IsActive());
    EXPECT_FLOAT_EQ(0.0f, idle.Step(1.0f));
    Interval<Color> colour;
    EXPECT_EQ(Color(1, 1, 1, 1), colour.GetCurrent());

    Interval<Vector2> move(Vector2(0, 0), Vector2(2, 4), 2.0f);
    EXPECT_EQ(Vector2(1.0f, 2.0f), move.Step(1.0f));
    EXPECT_EQ(Vector2(2.0f, 4.0f), move.Step(5.0f));
    EXPECT_FALSE(move.IsActive());
}
