#include "engine/messaging/Switchboard.h"

#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"

Switchboard* Switchboard::s_instance = 0;

Switchboard* Switchboard::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new Switchboard();
    }
    return s_instance;
}

void Switchboard::Destroy()
{
    Switchboard* switchboard = s_instance;
    s_instance = 0;
    delete switchboard;
}

Switchboard::Switchboard() : _delivering(false) {}

Switchboard::~Switchboard()
{
    for (Message* message : _messageQueue)
    {
        delete message;
    }
    for (const DelayedMessage& delayed : _delayedMessages)
    {
        delete delayed.first;
    }
}

bool Switchboard::Broadcast(Message* message)
{
    if (!TakeOwnership(message, "Broadcast"))
    {
        return false;
    }
    _messageQueue.push_back(message);
    return true;
}

bool Switchboard::DeferredBroadcast(Message* message, float delay)
{
    if (!TakeOwnership(message, "DeferredBroadcast"))
    {
        return false;
    }
    // A NaN delay is no delay at all: NaN > 0 is false.
    _delayedMessages.push_back(DelayedMessage(message, delay > 0.0f ? delay : 0.0f));
    return true;
}

// Queued twice, a message would be deleted at its first delivery and delivered again from
// freed memory.
bool Switchboard::TakeOwnership(Message* message, const char* call)
{
    if (message == 0 || !_heldMessages.insert(message).second)
    {
        CompoundLog::GetSystemLog().Printf(
            message == 0 ? "WARNING: Switchboard::%s was given no message."
                         : "WARNING: Switchboard::%s was given a message that is already queued; it is delivered once.",
            call);
        return false;
    }
    return true;
}

bool Switchboard::SubscribeTo(MessageListener* listener, const String& messageName)
{
    if (_delivering)
    {
        _pendingSubscriptions.push_back(Subscription(listener, messageName));
        return false;
    }
    return AddSubscription(listener, messageName);
}

bool Switchboard::UnsubscribeFrom(MessageListener* listener, const String& messageName)
{
    if (_delivering)
    {
        _pendingUnsubscriptions.push_back(Subscription(listener, messageName));
        return false;
    }
    return RemoveSubscription(listener, messageName);
}

MessageListenerSet Switchboard::GetSubscribersTo(const String& messageName)
{
    std::map<String, MessageListenerSet>::iterator it = _subscribers.find(messageName);
    return it == _subscribers.end() ? MessageListenerSet() : it->second;
}

StringSet Switchboard::GetSubscriptionsFor(MessageListener* listener)
{
    std::map<MessageListener*, StringSet>::iterator it = _subscriptions.find(listener);
    return it == _subscriptions.end() ? StringSet() : it->second;
}

void Switchboard::SendAllMessages()
{
    _delivering = true;
    while (!_messageQueue.empty())
    {
        DeliverFront();
    }
    _delivering = false;
    _destroyedWhileDelivering.clear();
    ApplyPendingChanges();
}

void Switchboard::DeliverFront()
{
    // The message stays at the front while it is delivered, so listeners can broadcast freely.
    Message* message = _messageQueue.front();
    const MessageListenerSet listeners = GetSubscribersTo(message->GetMessageName());
    for (MessageListenerSet::const_iterator it = listeners.begin(); it != listeners.end(); ++it)
    {
        if (_destroyedWhileDelivering.count(*it) == 0)
        {
            (*it)->ReceiveMessage(message);
        }
    }
    _heldMessages.erase(message);
    delete message;
    _messageQueue.pop_front();
}

void Switchboard::ApplyPendingChanges()
{
    for (std::list<Subscription>::iterator it = _pendingUnsubscriptions.begin();
         it != _pendingUnsubscriptions.end(); ++it)
    {
        RemoveSubscription(it->first, it->second);
    }
    _pendingUnsubscriptions.clear();
    for (std::list<Subscription>::iterator it = _pendingSubscriptions.begin();
         it != _pendingSubscriptions.end(); ++it)
    {
        AddSubscription(it->first, it->second);
    }
    _pendingSubscriptions.clear();
}

void Switchboard::Update(float dt)
{
    std::list<DelayedMessage>::iterator it = _delayedMessages.begin();
    while (it != _delayedMessages.end())
    {
        it->second -= dt;
        if (it->second > 0.0f)
        {
            ++it;
            continue;
        }
        _messageQueue.push_back(it->first);
        it = _delayedMessages.erase(it);
    }
}

void Switchboard::ForgetListener(MessageListener* listener)
{
    // Removed from the maps at once (delivery walks a copy), so a later listener that
    // happens to get the same address starts with no subscriptions.
    StringSet names = GetSubscriptionsFor(listener);
    for (StringSet::const_iterator it = names.begin(); it != names.end(); ++it)
    {
        RemoveSubscription(listener, *it);
    }
    for (std::list<Subscription>::iterator it = _pendingSubscriptions.begin();
         it != _pendingSubscriptions.end();)
    {
        it = (it->first == listener) ? _pendingSubscriptions.erase(it) : ++it;
    }
    for (std::list<Subscription>::iterator it = _pendingUnsubscriptions.begin();
         it != _pendingUnsubscriptions.end();)
    {
        it = (it->first == listener) ? _pendingUnsubscriptions.erase(it) : ++it;
    }
    if (_delivering)
    {
        _destroyedWhileDelivering.insert(listener);
    }
}

bool Switchboard::AddSubscription(MessageListener* listener, const String& messageName)
{
    _subscriptions[listener].insert(messageName);
    return _subscribers[messageName].insert(listener).second;
}

bool Switchboard::RemoveSubscription(MessageListener* listener, const String& messageName)
{
    std::map<String, MessageListenerSet>::iterator subscribers = _subscribers.find(messageName);
    if (subscribers == _subscribers.end() || subscribers->second.erase(listener) == 0)
    {
        return false;
    }
    if (subscribers->second.empty())
    {
        _subscribers.erase(subscribers);
    }
    std::map<MessageListener*, StringSet>::iterator names = _subscriptions.find(listener);
    if (names != _subscriptions.end())
    {
        names->second.erase(messageName);
        if (names->second.empty())
        {
            _subscriptions.erase(names);
        }
    }
    return true;
}
