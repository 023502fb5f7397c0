#include "engine/input/InputBinding.h"

#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"

namespace
{
void SendIfNamed(const String& name)
{
    if (!name.empty())
    {
        Switchboard::GetInstance()->Broadcast(new Message(name));
    }
}
}

void InputBinding::OnKeyDown() { SendIfNamed(_downMessage); }

void InputBinding::OnKeyUp() { SendIfNamed(_upMessage); }
