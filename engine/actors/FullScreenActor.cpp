#include "engine/actors/FullScreenActor.h"

#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"

FullScreenActor::FullScreenActor() : _locked(false)
{
    Switchboard::GetInstance()->SubscribeTo(this, "CameraChange");
    FitToView();
}

void FullScreenActor::SetLock(bool locked)
{
    _locked = locked;
    if (!_locked)
    {
        FitToView();
    }
}

void FullScreenActor::ReceiveMessage(Message* message)
{
    if (!_locked && message->GetMessageName() == "CameraChange")
    {
        FitToView();
    }
}

String FullScreenActor::GetClassName() const { return "FullScreenActor"; }

void FullScreenActor::FitToView()
{
    Camera* camera = Camera::GetInstance();
    const Vector2 topRight = MathUtil::ScreenToWorld(camera->GetWindowWidth(), 0);
    const Vector2 bottomLeft = MathUtil::ScreenToWorld(0, camera->GetWindowHeight());
    // The corners come back in world axes; measured along the camera's own axes the
    // diagonal gives the view's width and height however the camera is turned.
    const Vector2 diagonal = Vector2::Rotate(topRight - bottomLeft,
                                             MathUtil::ToRadians(camera->GetRotation()));
    const Vector2 centre = camera->GetPosition();
    SetPosition(centre.X, centre.Y);
    SetRotation(-camera->GetRotation());
    SetSize(diagonal.X, diagonal.Y);
}
