#include "engine/messaging/Message.h"

Message::Message() : _messageName("GenericMessage"), _sender(0) {}

Message::Message(const String& messageName, MessageListener* sender)
    : _messageName(messageName), _sender(sender)
{
}

Message::~Message() {}

const String& Message::GetMessageName() { return _messageName; }

MessageListener* Message::GetSender() { return _sender; }
