#include "engine/rendering/Camera.h"

#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace
{
const float kFollowTolerance = 1e-6f;
const float kRadiansPerDegree = MathUtil::Pi / 180.0f;
}

Camera* Camera::s_instance = 0;

Camera* Camera::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new Camera();
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

Camera::Camera() : _windowWidth(0), _windowHeight(0), _locked(0), _lockX(true), _lockY(true), _lockRotation(false)
{
    Reset();
}

void Camera::Reset()
{
    _aperture = 90.0;
    _camera3DPosition = Vector3(0.0f, 0.0f, 10.0f);
    _position = Vector2(0.0f, 0.0f);
    _view = Vector3(0.0f, 0.0f, -10.0f);
    _up = Vector3(0.0f, 1.0f, 0.0f);
    _zNearClip = 0.001f;
    _zFarClip = 200.0f;
    _locked = 0;
}

void Camera::Resize(int width, int height)
{
    if (width != _windowWidth || height != _windowHeight)
    {
        _windowWidth = width;
        _windowHeight = height;
        glViewport(0, 0, width, height);
    }
    // A minimised window is 0 pixels high; the projection keeps its last sane shape.
    const float aspect = (float)width / (float)(height < 1 ? 1 : height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(_aperture, aspect, _zNearClip, _zFarClip);
    glMatrixMode(GL_MODELVIEW);
    AnnounceChange();
}

void Camera::WindowSizeCallback(GLFWwindow* /*window*/, int width, int height)
{
    GetInstance()->Resize(width, height);
}

void Camera::Render()
{
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
    if (_lockX && std::fabs(_camera3DPosition.X - target.X) >= kFollowTolerance)
    {
        _camera3DPosition.X = _position.X = target.X;
        changed = true;
    }
    if (_lockY && std::fabs(_camera3DPosition.Y - target.Y) >= kFollowTolerance)
    {
        _camera3DPosition.Y = _position.Y = target.Y;
        changed = true;
    }
    if (_lockRotation && std::fabs(_rotation - _locked->GetRotation()) >= kFollowTolerance)
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

void Camera::SetPosition(float x, float y, float z)
{
    _camera3DPosition = Vector3(x, y, z);
    _position = Vector2(x, y);
    AnnounceChange();
}

void Camera::SetPosition(const Vector3& position) { SetPosition(position.X, position.Y, position.Z); }

void Camera::SetPosition(float x, float y) { SetPosition(x, y, _camera3DPosition.Z); }

void Camera::SetPosition(const Vector2& position) { SetPosition(position.X, position.Y, _camera3DPosition.Z); }

void Camera::SetRotation(float rotation)
{
    _rotation = rotation;
    AnnounceChange();
}

void Camera::SetViewCenter(float x, float y, float z)
{
    _view = Vector3(x, y, z);
    AnnounceChange();
}

void Camera::MoveTo(const Vector3& target, float duration, bool smooth, String onCompletionMessage)
{
    _moveInterval = Interval<Vector3>(_camera3DPosition, target, duration, smooth);
    _moveMessage = onCompletionMessage;
}

float Camera::GetViewRadius() const
{
    return std::tan((float)(_aperture / 2.0) * kRadiansPerDegree) * std::fabs(_camera3DPosition.Z);
}

float Camera::GetZForViewRadius(float radius) const
{
    return radius / std::tan((float)(_aperture / 2.0) * kRadiansPerDegree);
}

void Camera::SetZByViewRadius(float newRadius) { _camera3DPosition.Z = GetZForViewRadius(newRadius); }

void Camera::SetNearClipDist(float dist)
{
    _zNearClip = dist;
    Resize(_windowWidth, _windowHeight);
}

void Camera::SetFarClipDist(float dist)
{
    _zFarClip = dist;
    Resize(_windowWidth, _windowHeight);
}

Vector2 Camera::GetWorldMaxVertex() { return MathUtil::ScreenToWorld(_windowWidth, 0); }

Vector2 Camera::GetWorldMinVertex() { return MathUtil::ScreenToWorld(0, _windowHeight); }

String Camera::GetClassName() const { return "Camera"; }
