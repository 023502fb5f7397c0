#pragma once

#include "engine/util/StringTypes.h"

#include <deque>
#include <list>
#include <map>
#include <set>
#include <unordered_set>
#include <utility>

class Message;
class MessageListener;

typedef std::set<MessageListener*> MessageListenerSet;

// The one message hub: subscription by name, broadcast, delayed broadcast, and delivery
// once per tick. Owns every message from broadcast until it has been delivered.
class Switchboard
{
public:
    static Switchboard* GetInstance();
    // Deletes the switchboard with every subscription and every queued or delayed message;
    // the next GetInstance makes a fresh one. Never while messages are being delivered.
    static void Destroy();

    // Queues the message; the switchboard owns it from then on and deletes it once delivered.
    // A message it already holds (queued or waiting out a delay) is refused with a "WARNING: "
    // line and returns false: it stays queued once, so it is delivered and deleted once.
    bool Broadcast(Message* message);
    bool DeferredBroadcast(Message* message, float delay);

    bool SubscribeTo(MessageListener* listener, const String& messageName);
    bool UnsubscribeFrom(MessageListener* listener, const String& messageName);

    MessageListenerSet GetSubscribersTo(const String& messageName);
    StringSet GetSubscriptionsFor(MessageListener* listener);

    // Delivers every queued message, including those broadcast during delivery.
    void SendAllMessages();
    // Counts the delayed messages down by simulated time.
    void Update(float dt);

    // Called by a listener's destructor: drops it everywhere, also from a delivery in progress.
    void ForgetListener(MessageListener* listener);

    bool IsDelivering() const { return _delivering; }

private:
    Switchboard();
    ~Switchboard();

    typedef std::pair<MessageListener*, String> Subscription;
    typedef std::pair<Message*, float> DelayedMessage;

    bool TakeOwnership(Message* message, const char* call);
    void DeliverFront();
    void ApplyPendingChanges();
    bool AddSubscription(MessageListener* listener, const String& messageName);
    bool RemoveSubscription(MessageListener* listener, const String& messageName);

    static Switchboard* s_instance;

    std::deque<Message*> _messageQueue;
    std::map<String, MessageListenerSet> _subscribers;
    std::map<MessageListener*, StringSet> _subscriptions;
    std::list<DelayedMessage> _delayedMessages;
    // Every message in the queue or the delayed list, so none is taken twice.
    std::unordered_set<const Message*> _heldMessages;
    bool _delivering;
    std::list<Subscription> _pendingSubscriptions;
    std::list<Subscription> _pendingUnsubscriptions;
    // Listeners destroyed during the current delivery: never called again in it.
    MessageListenerSet _destroyedWhileDelivering;
};
