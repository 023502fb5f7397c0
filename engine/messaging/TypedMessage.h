#pragma once

#include "engine/messaging/Message.h"

// A message that carries one value of type T (a number, a string, a vector or a contact).
template <class T>
class TypedMessage : public Message
{
public:
    TypedMessage(const String& messageName, T value, MessageListener* sender = 0)
        : Message(messageName, sender), _value(value)
    {
    }

    T GetValue() { return _value; }

protected:
    T _value;
};
