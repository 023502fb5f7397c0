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
    MessageListener* GetSender();

protected:
    String _messageName;
    MessageListener* _sender;
};
