#include "engine/messaging/MessageListener.h"

#include "engine/messaging/Switchboard.h"
#include "engine/util/DeletionNotice.h"

MessageListener::~MessageListener()
{
    DeletionNotice::Send(this);
    Switchboard::GetInstance()->ForgetListener(this);
}
