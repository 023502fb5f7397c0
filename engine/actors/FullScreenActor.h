#pragma once

#include "engine/actors/Actor.h"

// An actor that keeps itself placed, turned and sized to cover exactly what the camera
// shows, refitting on every "CameraChange" unless locked.
class FullScreenActor : public Actor
{
public:
    FullScreenActor();

    // Unlocking fits the actor to the view at once.
    void SetLock(bool locked);
    bool IsLocked() const { return _locked; }

    void ReceiveMessage(Message* message) override;
    String GetClassName() const override;

private:
    void FitToView();

    bool _locked;
};
