#include "physics/PhysicsTestSupport.h"

#include "support/SystemLogCapture.h"
#include "engine/physics/PhysicsActor.h"

CapturingLog& CaptureSystemLog()
{
    CapturingLog& capture = SystemLogCapture();
    capture.Lines.clear();
    return capture;
}

PhysicsActor* MakeBox(const Vector2& position, const Vector2& size, float density)
{
    PhysicsActor* actor = new PhysicsActor();
    actor->SetPosition(position);
    actor->SetSize(size);
    actor->SetDensity(density);
    actor->InitPhysics();
    return actor;
}

int CountBodies()
{
    b2World* physics = World::GetInstance()->GetPhysicsWorld();
    return physics == 0 ? 0 : physics->GetBodyCount();
}

void MessageRecorder::ReceiveMessage(Message* message)
{
    Received received = {message->GetMessageName(), message->GetSender()};
    Messages.push_back(received);
}

int MessageRecorder::CountNamed(const std::string& name) const
{
    int count = 0;
    for (size_t i = 0; i < Messages.size(); ++i)
    {
        count += Messages[i].Name == name ? 1 : 0;
    }
    return count;
}
