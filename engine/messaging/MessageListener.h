#pragma once

class Message;

// Everything that receives messages. A listener leaves every subscription when destroyed.
class MessageListener
{
public:
    virtual ~MessageListener();
    virtual void ReceiveMessage(Message* message) = 0;
};
