#include "engine/messaging/Message.h"

#include "engine/util/DeletionNotice.h"

Message::Message() : _messageName("GenericMessage"), _sender(0) {}

Message::Message(const String& messageName, MessageListener* sender)
    : _messageName(messageName), _sender(sender)
{
}

Message::~Message() { DeletionNotice::Send(this); }

const String& Message::GetMessageName() { return _messageName; }

MessageListener* Message::GetSender() { return _sender; }
