#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/messaging/TypedMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_journal;

// Records every delivery as "<tag>:<message name>" and runs an optional reaction.
class Recorder : public MessageListener
{
public:
    explicit Recorder(const std::string& tag) : tag(tag) {}
    void ReceiveMessage(Message* message) override
    {
        g_journal.push_back(tag + ":" + message->GetMessageName());
        if (onReceive)
        {
            onReceive(message);
        }
    }
    std::string tag;
    std::function<void(Message*)> onReceive;
};

class SwitchboardTest : public ::testing::Test
{
protected:
    void SetUp() override { g_journal.clear(); }
    Switchboard& board() { return *Switchboard::GetInstance(); }
};
}

TEST_F(SwitchboardTest, DeliversQueuedMessagesInOrderToListenersOrderedByAddress)
{
    Recorder* listeners[2] = {new Recorder("a"), new Recorder("b")};
    Recorder* low = listeners[0] < listeners[1] ? listeners[0] : listeners[1];
    Recorder* high = low == listeners[0] ? listeners[1] : listeners[0];
    board().SubscribeTo(high, "One");
    board().SubscribeTo(low, "One");
    board().SubscribeTo(low, "Two");

    board().Broadcast(new Message("One"));
    board().Broadcast(new Message("Two"));
    board().Broadcast(new Message("Nobody"));
    board().SendAllMessages();

    std::vector<std::string> expected = {low->tag + ":One", high->tag + ":One", low->tag + ":Two"};
    EXPECT_EQ(expected, g_journal);
    delete listeners[0];
    delete listeners[1];
}

TEST_F(SwitchboardTest, SubscribingTwiceKeepsOneSubscription)
{
    Recorder listener("a");
    EXPECT_TRUE(board().SubscribeTo(&listener, "Ping"));
    EXPECT_FALSE(board().SubscribeTo(&listener, "Ping"));
    board().Broadcast(new Message("Ping"));
    board().SendAllMessages();
    EXPECT_EQ(1u, g_journal.size());
    EXPECT_TRUE(board().UnsubscribeFrom(&listener, "Ping"));
    EXPECT_FALSE(board().UnsubscribeFrom(&listener, "Ping"));
    EXPECT_TRUE(board().GetSubscribersTo("Ping").empty());
}

TEST_F(SwitchboardTest, TypedMessagesCarryTheirValue)
{
    Recorder listener("a");
    int received = 0;
    listener.onReceive = [&](Message* m) { received = static_cast<TypedMessage<int>*>(m)->GetValue(); };
    board().SubscribeTo(&listener, "Number");
    board().Broadcast(new TypedMessage<int>("Number", 42, &listener));
    board().SendAllMessages();
    EXPECT_EQ(42, received);
}

TEST_F(SwitchboardTest, BroadcastDuringDeliveryArrivesInTheSamePassAfterEarlierMessages)
{
    Recorder listener("a");
    listener.onReceive = [&](Message* m) {
        if (m->GetMessageName() == "First")
        {
            board().Broadcast(new Message("Reply"));
        }
    };
    board().SubscribeTo(&listener, "First");
    board().SubscribeTo(&listener, "Second");
    board().SubscribeTo(&listener, "Reply");
    board().Broadcast(new Message("First"));
    board().Broadcast(new Message("Second"));
    board().SendAllMessages();
    std::vector<std::string> expected = {"a:First", "a:Second", "a:Reply"};
    EXPECT_EQ(expected, g_journal);
}

TEST_F(SwitchboardTest, SubscriptionChangesDuringDeliveryWaitUntilTheQueueIsEmpty)
{
    Recorder listener("a");
    Recorder late("late");
    listener.onReceive = [&](Message* m) {
        if (m->GetMessageName() == "Go")
        {
            EXPECT_FALSE(board().UnsubscribeFrom(&listener, "Go"));
            EXPECT_FALSE(board().SubscribeTo(&late, "Go"));
        }
    };
    board().SubscribeTo(&listener, "Go");
    board().Broadcast(new Message("Go"));
    board().Broadcast(new Message("Go"));
    board().SendAllMessages();
    // Still subscribed for the rest of the pass; the late subscriber sees nothing yet.
    std::vector<std::string> expected = {"a:Go", "a:Go"};
    EXPECT_EQ(expected, g_journal);

    g_journal.clear();
    board().Broadcast(new Message("Go"));
    board().SendAllMessages();
    expected = {"late:Go"};
    EXPECT_EQ(expected, g_journal);
}

TEST_F(SwitchboardTest, UnsubscriptionsApplyBeforeSubscriptionsMadeDuringDelivery)
{
    Recorder listener("a");
    Recorder trigger("t");
    trigger.onReceive = [&](Message*) {
        board().SubscribeTo(&listener, "Later");
        board().UnsubscribeFrom(&listener, "Later");
    };
    board().SubscribeTo(&trigger, "Go");
    board().Broadcast(new Message("Go"));
    board().SendAllMessages();
    EXPECT_EQ(1u, board().GetSubscribersTo("Later").count(&listener));
}

TEST_F(SwitchboardTest, ListenerDestroyedDuringDeliveryIsNeverCalledAgain)
{
    Recorder* first = new Recorder("x");
    Recorder* second = new Recorder("y");
    // Whichever is called first destroys the other one.
    first->onReceive = [&](Message*) { delete second; second = 0; };
    second->onReceive = [&](Message*) { delete first; first = 0; };
    board().SubscribeTo(first, "Boom");
    board().SubscribeTo(second, "Boom");
    board().Broadcast(new Message("Boom"));
    board().Broadcast(new Message("Boom"));
    board().SendAllMessages();
    EXPECT_EQ(2u, g_journal.size());
    EXPECT_EQ(g_journal[0], g_journal[1]);
    delete first;
    delete second;
}

TEST_F(SwitchboardTest, DestroyedListenerLosesItsPendingSubscriptions)
{
    Recorder trigger("t");
    Recorder* doomed = new Recorder("d");
    trigger.onReceive = [&](Message*) {
        board().SubscribeTo(doomed, "Later");
        delete doomed;
    };
    board().SubscribeTo(&trigger, "Go");
    board().Broadcast(new Message("Go"));
    board().SendAllMessages();
    EXPECT_TRUE(board().GetSubscribersTo("Later").empty());
}

TEST_F(SwitchboardTest, DelayedMessagesCountDownBySimulatedTime)
{
    Recorder listener("a");
    board().SubscribeTo(&listener, "Late");
    board().SubscribeTo(&listener, "Now");
    board().DeferredBroadcast(new Message("Late"), 0.5f);
    board().DeferredBroadcast(new Message("Now"), -3.0f);

    board().Update(0.0f);  // a paused tick passes no time
    board().SendAllMessages();
    std::vector<std::string> expected = {"a:Now"};
    EXPECT_EQ(expected, g_journal);

    board().Update(0.25f);
    board().SendAllMessages();
    EXPECT_EQ(1u, g_journal.size());
    board().Update(0.25f);
    board().SendAllMessages();
    expected = {"a:Now", "a:Late"};
    EXPECT_EQ(expected, g_journal);
}

TEST_F(SwitchboardTest, DestroyedListenerLeavesEverySubscription)
{
    Recorder* listener = new Recorder("a");
    board().SubscribeTo(listener, "One");
    board().SubscribeTo(listener, "Two");
    EXPECT_EQ(2u, board().GetSubscriptionsFor(listener).size());
    delete listener;
    EXPECT_TRUE(board().GetSubscribersTo("One").empty());
    EXPECT_TRUE(board().GetSubscribersTo("Two").empty());
}
