#include "engine/messaging/MessageListener.h"

#include "engine/messaging/Switchboard.h"

MessageListener::~MessageListener()
{
    Switchboard::GetInstance()->ForgetListener(this);
}
