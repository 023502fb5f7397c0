#include "engine/rendering/Camera.h"

#include "engine/log/CompoundLog.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/platform/Window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace
{
const float kFollowTolerance = 1e-6f;
const float kRadiansPerDegree = MathUtil::Pi / 180.0f;
const float kDefaultNearClip = 0.001f;
const float kDefaultFarClip = 200.0f;

bool IsFinite(const Vector3& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

// A non-finite coordinate of the followed actor is left alone: copied, it would blank the view.
bool ShouldFollow(float current, float target)
{
    return std::isfinite(target) && std::fabs(current - target) >= kFollowTolerance;
}

bool IsSameValue(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// A NaN duration never ends and steps the camera to NaN.
void RefuseNanDuration(const char* motion, const char* outcome)
{
    CompoundLog::GetSystemLog().Printf("WARNING: A camera %s needs a duration, not nan; %s.", motion, outcome);
}
}

Camera* Camera::s_instance = 0;

Camera* Camera::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new Camera();
        s_instance->FitWindow();
    }
    return s_instance;
}

void Camera::Destroy() { delete s_instance; }

Camera::~Camera()
{
    if (s_instance == this)
    {
        s_instance = 0;
    }
}

void Camera::ForgetActor(Actor* actor)
{
    if (s_instance != 0 && s_instance->_locked == actor)
    {
        s_instance->_locked = 0;
    }
}

Camera::Camera()
    : _windowWidth(0), _windowHeight(0), _projectedNear(kDefaultNearClip), _projectedFar(kDefaultFarClip),
      _drawnNear(kDefaultNearClip), _drawnFar(kDefaultFarClip), _locked(0), _lockX(true), _lockY(true),
      _lockRotation(false)
{
    // The World updates and draws it and its window resizes it: scripts can't end it.
    SetHolder("the engine");
    Reset();
}

// The World's start-up sizes the first camera; one made later (after the last was deleted)
// would otherwise keep a view of 0 by 0 pixels for the rest of the run.
void Camera::FitWindow()
{
    if (!World::HasInstance() || !World::GetInstance()->IsInitialized())
    {
        return;
    }
    const Window& window = World::GetInstance()->GetWindow();
    if (window.IsOpen())
    {
        const Vec2i size = window.GetFramebufferSize();
        Resize(size.X, size.Y);
    }
}

void Camera::Reset()
{
    _aperture = 90.0;
    _camera3DPosition = Vector3(0.0f, 0.0f, 10.0f);
    _position = Vector2(0.0f, 0.0f);
    _view = Vector3(0.0f, 0.0f, -10.0f);
    _up = Vector3(0.0f, 1.0f, 0.0f);
    _zNearClip = kDefaultNearClip;
    _zFarClip = kDefaultFarClip;
    _locked = 0;
}

void Camera::Resize(int width, int height)
{
    // A view of no pixels has no aspect ratio and a negative one is an OpenGL error.
    if (width < 1 || height < 1)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A camera view of %d x %d pixels can't be shown; it keeps %d x %d.",
                                           width, height, _windowWidth, _windowHeight);
        return;
    }
    if (width != _windowWidth || height != _windowHeight)
    {
        _windowWidth = width;
        _windowHeight = height;
        glViewport(0, 0, width, height);
    }
    Project();
}

// While the stored clip distances can't be projected, the last pair that could is used.
void Camera::Project()
{
    if (HasUsableClipDistances())
    {
        _projectedNear = _zNearClip;
        _projectedFar = _zFarClip;
    }
    // A camera that was never given a size (no window yet) projects for a height of 1.
    const float aspect = (float)_windowWidth / (float)(_windowHeight < 1 ? 1 : _windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(_aperture, aspect, _projectedNear, _projectedFar);
    glMatrixMode(GL_MODELVIEW);
    AnnounceChange();
}

void Camera::WindowSizeCallback(GLFWwindow* /*window*/, int width, int height)
{
    // A minimised window reports no pixels; the view keeps its last size until it comes back.
    if (width >= 1 && height >= 1)
    {
        GetInstance()->Resize(width, height);
    }
}

void Camera::Render()
{
    WarnOfUnprojectableClipDistances();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(_rotation, 0.0f, 0.0f, 1.0f);
    gluLookAt(_camera3DPosition.X, _camera3DPosition.Y, _camera3DPosition.Z,
              _camera3DPosition.X + _view.X, _camera3DPosition.Y + _view.Y, _camera3DPosition.Z + _view.Z,
              _up.X, _up.Y, _up.Z);
}

void Camera::Update(float dt)
{
    Actor::Update(dt);
    if (_locked != 0)
    {
        if (FollowLockedActor())
        {
            AnnounceChange();
        }
        return;
    }
    if (_moveInterval.IsActive())
    {
        SetPosition(_moveInterval.Step(dt));
        if (!_moveInterval.IsActive() && !_moveMessage.empty())
        {
            Switchboard::GetInstance()->Broadcast(new Message(_moveMessage, this));
        }
    }
}

bool Camera::FollowLockedActor()
{
    const Vector2 target = _locked->GetPosition();
    bool changed = false;
    if (_lockX && ShouldFollow(_camera3DPosition.X, target.X))
    {
        _camera3DPosition.X = _position.X = target.X;
        changed = true;
    }
    if (_lockY && ShouldFollow(_camera3DPosition.Y, target.Y))
    {
        _camera3DPosition.Y = _position.Y = target.Y;
        changed = true;
    }
    if (_lockRotation && ShouldFollow(_rotation, _locked->GetRotation()))
    {
        _rotation = _locked->GetRotation();
        changed = true;
    }
    return changed;
}

void Camera::LockTo(Actor* locked, bool lockX, bool lockY, bool lockRotation)
{
    _locked = locked;
    _lockX = lockX;
    _lockY = lockY;
    _lockRotation = lockRotation;
}

void Camera::AnnounceChange() { Switchboard::GetInstance()->Broadcast(new Message("CameraChange")); }

// A non-finite eye would blank the picture until the position was set again.
bool Camera::IsUsablePosition(const Vector3& position) const
{
    if (IsFinite(position))
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("WARNING: A camera position must be finite, not (%g, %g, %g); it stays at (%g, %g, %g).",
                                       position.X, position.Y, position.Z, _camera3DPosition.X, _camera3DPosition.Y,
                                       _camera3DPosition.Z);
    return false;
}

bool Camera::IsUsableRotation(float rotation) const
{
    if (std::isfinite(rotation))
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("WARNING: A camera rotation must be finite, not %g; it stays at %g.", rotation,
                                       _rotation);
    return false;
}

bool Camera::IsUsableGlide(const Vector3& target, float duration) const
{
    if (!std::isnan(duration))
    {
        return IsUsablePosition(target);
    }
    RefuseNanDuration("glide", "the camera stays where it is");
    return false;
}

void Camera::SetPosition(float x, float y, float z)
{
    if (!IsUsablePosition(Vector3(x, y, z)))
    {
        return;
    }
    _camera3DPosition = Vector3(x, y, z);
    _position = Vector2(x, y);
    AnnounceChange();
}

void Camera::SetPosition(const Vector3& position) { SetPosition(position.X, position.Y, position.Z); }

void Camera::SetPosition(float x, float y) { SetPosition(x, y, _camera3DPosition.Z); }

void Camera::SetPosition(const Vector2& position) { SetPosition(position.X, position.Y, _camera3DPosition.Z); }

void Camera::SetRotation(float rotation)
{
    if (!IsUsableRotation(rotation))
    {
        return;
    }
    _rotation = rotation;
    AnnounceChange();
}

void Camera::SetViewCenter(float x, float y, float z)
{
    if (!IsFinite(Vector3(x, y, z)))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A camera's view centre must be finite, not (%g, %g, %g); it stays "
                                           "(%g, %g, %g).",
                                           x, y, z, _view.X, _view.Y, _view.Z);
        return;
    }
    _view = Vector3(x, y, z);
    AnnounceChange();
}

void Camera::MoveTo(const Vector3& target, float duration, bool smooth, String onCompletionMessage)
{
    if (!IsUsableGlide(target, duration))
    {
        return;
    }
    _moveInterval = Interval<Vector3>(_camera3DPosition, target, duration, smooth);
    _moveMessage = onCompletionMessage;
}

void Camera::MoveTo(const Vector2& target, float duration, bool smooth, String onCompletionMessage)
{
    if (IsUsableGlide(Vector3(target.X, target.Y, _camera3DPosition.Z), duration))
    {
        Actor::MoveTo(target, duration, smooth, onCompletionMessage);
    }
}

void Camera::RotateTo(float newRotation, float duration, bool smooth, String onCompletionMessage)
{
    if (std::isnan(duration))
    {
        RefuseNanDuration("turn", "the rotation stays");
    }
    else if (IsUsableRotation(newRotation))
    {
        Actor::RotateTo(newRotation, duration, smooth, onCompletionMessage);
    }
}

float Camera::GetViewRadius() const
{
    return std::tan((float)(_aperture / 2.0) * kRadiansPerDegree) * std::fabs(_camera3DPosition.Z);
}

float Camera::GetZForViewRadius(float radius) const
{
    return radius / std::tan((float)(_aperture / 2.0) * kRadiansPerDegree);
}

// An eye in the plane of the actors (radius 0) sees a world of no size, and every conversion
// between pixels and world units divides by that.
void Camera::SetZByViewRadius(float newRadius)
{
    if (!(newRadius > 0.0f) || !std::isfinite(newRadius))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: A camera's view radius must be above 0, not %g; it keeps %g.",
                                           newRadius, GetViewRadius());
        return;
    }
    _camera3DPosition.Z = GetZForViewRadius(newRadius);
}

// Each distance is kept as given, so the two can be set in either order; each call
// re-projects and announces, as a resize to the same size does.
void Camera::SetNearClipDist(float dist)
{
    _zNearClip = dist;
    Project();
}

void Camera::SetFarClipDist(float dist)
{
    _zFarClip = dist;
    Project();
}

// The projection needs 0 < near < far, both finite: anything else gives a meaningless picture.
bool Camera::HasUsableClipDistances() const
{
    return _zNearClip > 0.0f && _zNearClip < _zFarClip && std::isfinite(_zFarClip);
}

// Only a frame drawn with distances that can't be projected is worth a word, and only the first
// one with that pair: a change made in two steps between frames passes through such a pair.
void Camera::WarnOfUnprojectableClipDistances()
{
    const bool drawnBefore = IsSameValue(_drawnNear, _zNearClip) && IsSameValue(_drawnFar, _zFarClip);
    _drawnNear = _zNearClip;
    _drawnFar = _zFarClip;
    if (drawnBefore || HasUsableClipDistances())
    {
        return;
    }
    CompoundLog::GetSystemLog().Printf("WARNING: A camera's clip distances need 0 < near < far, both finite, not near %g "
                                       "and far %g; the view keeps near %g and far %g until they do.",
                                       _zNearClip, _zFarClip, _projectedNear, _projectedFar);
}

Vector2 Camera::GetWorldMaxVertex() { return MathUtil::ScreenToWorld(_windowWidth, 0); }

Vector2 Camera::GetWorldMinVertex() { return MathUtil::ScreenToWorld(0, _windowHeight); }

String Camera::GetClassName() const { return "Camera"; }
