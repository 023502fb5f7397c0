#pragma once

#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"

#include <string>
#include <vector>

// Keeps the name of every message it receives, in order.
class MessageNameRecorder : public MessageListener
{
public:
    void ReceiveMessage(Message* message) override { names.push_back(message->GetMessageName()); }
    std::vector<std::string> names;
};
