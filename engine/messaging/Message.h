#pragma once

#include "engine/util/StringTypes.h"

class MessageListener;

// A named notification. The Switchboard owns it from broadcast until it has been delivered.
class Message
{
public:
    Message();
    Message(const String& messageName, MessageListener* sender = 0);
    virtual ~Message();

    virtual const String& GetMessageName();
    // The listener named at construction, or null. Not owned; null once ForgetSender ran.
    MessageListener* GetSender();
    // For a holder that learns the sender was deleted while it keeps this message (the
    // script module): GetSender answers null from then on.
    void ForgetSender() { _sender = 0; }

protected:
    String _messageName;
    MessageListener* _sender;
};
