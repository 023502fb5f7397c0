#pragma once

#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "support/CapturingLog.h"

#include <box2d/box2d.h>

#include <string>
#include <vector>

class PhysicsActor;

// The system log's lines from here on. The capture lives to the end of the process, since
// the system log keeps a pointer to it.
CapturingLog& CaptureSystemLog();

// A dynamic or static box actor at a position, its body already made.
PhysicsActor* MakeBox(const Vector2& position, const Vector2& size, float density = 1.0f);

int CountBodies();

// Keeps every message it gets: name and sender.
class MessageRecorder : public MessageListener
{
public:
    struct Received
    {
        std::string Name;
        MessageListener* Sender;
    };
    void ReceiveMessage(Message* message) override;
    int CountNamed(const std::string& name) const;

    std::vector<Received> Messages;
};
