#pragma once

#include "engine/actors/Actor.h"
#include "engine/actors/Interval.h"
#include "engine/math/Vector3.h"

struct GLFWwindow;

// The one view onto the world: a perspective camera looking down the negative Z axis onto
// the plane of the actors. It owns the viewport and the projection, can follow an actor or
// glide to a point, and announces every change of view with "CameraChange". It is never on
// a layer: the World updates it at the end of each tick and renders it first in each frame.
class Camera : public Actor
{
public:
    static Camera* GetInstance();
    // Deletes the camera; the next GetInstance makes a fresh one.
    static void Destroy();

    // Back to the default view; neither re-projects nor announces.
    void Reset();
    // Rebuilds the viewport and projection for a window of this many pixels; a size below one
    // pixel is refused with a "WARNING: " line and the view stays as it is.
    void Resize(int width, int height);
    static void WindowSizeCallback(GLFWwindow* window, int width, int height);

    void Update(float dt) override;
    void Render() override;

    // Null unlocks. The camera keeps a plain pointer: unlock before deleting the actor.
    void LockTo(Actor* locked, bool lockX = true, bool lockY = true, bool lockRotation = false);
    Actor* GetLockedActor() { return _locked; }
    // Called as an actor is deleted, so the camera never follows a dead one.
    static void ForgetActor(Actor* actor);

    void SetPosition(const Vector2& position) override;
    void SetPosition(float x, float y) override;
    void SetRotation(float rotation) override;
    String GetClassName() const override;
    void MoveTo(const Vector2& newPosition, float duration, bool smooth = false,
                String onCompletionMessage = "") override;
    // A non-finite target or a NaN duration is refused with a "WARNING: " line: the turn would
    // step the view to a rotation it refuses, every tick until replaced.
    void RotateTo(float newRotation, float duration, bool smooth = false, String onCompletionMessage = "") override;

    virtual void SetPosition(const Vector3& position);
    virtual void SetPosition(float x, float y, float z);
    // Glides the eye to target; replaces a glide under way. The message, when not empty,
    // is broadcast with the camera as sender on arrival.
    // A non-finite target or a NaN duration is refused with a "WARNING: " line, as is a
    // non-finite value given to any SetPosition, to SetRotation or to SetViewCenter; a locked
    // actor's non-finite coordinate is not followed.
    virtual void MoveTo(const Vector3& target, float duration, bool smooth, String onCompletionMessage);
    // Refused with a "WARNING: " line unless above 0 and finite.
    virtual void SetZByViewRadius(float newRadius);
    // Store the distance, re-project and announce. While the pair is not 0 < near < far, both
    // finite, the view keeps the last pair that was, and the first frame drawn with it logs a
    // "WARNING: " line.
    virtual void SetNearClipDist(float dist);
    virtual void SetFarClipDist(float dist);
    virtual void SetViewCenter(float x, float y, float z);

    // Half the visible height at Z = 0.
    float GetViewRadius() const;
    float GetZForViewRadius(float radius) const;
    float GetZ() const { return _camera3DPosition.Z; }
    Vector3 GetPosition3D() const { return _camera3DPosition; }
    Vector3 GetViewCenter() const { return _view; }
    float GetNearClipDist() const { return _zNearClip; }
    float GetFarClipDist() const { return _zFarClip; }
    double GetAperture() const { return _aperture; }
    int GetWindowWidth() const { return _windowWidth; }
    int GetWindowHeight() const { return _windowHeight; }
    // The top-right and bottom-left corners of the view, in world units.
    Vector2 GetWorldMaxVertex();
    Vector2 GetWorldMinVertex();

protected:
    Camera();
    // Whoever deletes the camera leaves the next GetInstance to make a new one, sized to the
    // window. It is held by the engine (see Renderable::SetHolder), so an unload of the World
    // never deletes it and scripts can't destroy it.
    ~Camera() override;

private:
    void Project();
    bool HasUsableClipDistances() const;
    void WarnOfUnprojectableClipDistances();
    bool IsUsablePosition(const Vector3& position) const;
    bool IsUsableRotation(float rotation) const;
    bool IsUsableGlide(const Vector3& target, float duration) const;
    void FitWindow();
    void AnnounceChange();
    bool FollowLockedActor();

    static Camera* s_instance;

    int _windowWidth;
    int _windowHeight;
    double _aperture;
    Vector3 _camera3DPosition;
    Vector3 _view;
    Vector3 _up;
    float _zNearClip;
    float _zFarClip;
    // The clip distances last projected: the ones in use while the stored pair can't be.
    float _projectedNear;
    float _projectedFar;
    // The clip distances of the last frame drawn, so each pair that can't be projected is
    // reported once.
    float _drawnNear;
    float _drawnFar;
    Actor* _locked;
    bool _lockX;
    bool _lockY;
    bool _lockRotation;
    Interval<Vector3> _moveInterval;
    String _moveMessage;
};
