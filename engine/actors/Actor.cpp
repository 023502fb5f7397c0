#include "engine/actors/Actor.h"

#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/rendering/SpriteBatch.h"

#include <cmath>

namespace
{
const int kCircleSegments = 32;
const int kCircleVertexCount = kCircleSegments + 2;

// The triangle strip of the unit square: upper left, lower left, upper right, lower right.
const float kSquareVertices[] = {-0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, -0.5f};

// A fan around the centre; the last rim vertex repeats the first to close it.
struct CircleTables
{
    float vertices[kCircleVertexCount * 2];
    float texCoords[kCircleVertexCount * 2];

    CircleTables()
    {
        vertices[0] = vertices[1] = 0.0f;
        texCoords[0] = texCoords[1] = 0.5f;
        for (int i = 1; i < kCircleVertexCount; ++i)
        {
            const float angle = i * 2.0f * 3.14159265358979f / kCircleSegments;
            vertices[i * 2] = 0.5f * std::cos(angle);
            vertices[i * 2 + 1] = 0.5f * std::sin(angle);
            texCoords[i * 2] = vertices[i * 2] + 0.5f;
            texCoords[i * 2 + 1] = vertices[i * 2 + 1] + 0.5f;
        }
    }
};

const CircleTables& Circle()
{
    static const CircleTables tables;
    return tables;
}
}

Actor* Actor::s_scriptCreatedActor = 0;

Actor::Actor()
    : _size(1.0f, 1.0f), _position(0.0f, 0.0f), _color(1.0f, 1.0f, 1.0f, 1.0f), _rotation(0.0f),
      _drawShape(ADS_Square), _intervalsActive(false), _spriteCurrentFrame(0), _spriteNumFrames(0), _spriteFrameDelay(0.0f),
      _spriteCurrentFrameDelay(0.0f), _spriteAnimType(SAT_None), _spriteAnimStartFrame(0),
      _spriteAnimEndFrame(0), _spriteAnimDirection(1), _displayListIndex(-1)
{
    SetUVs(Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    for (int i = 0; i < MAX_SPRITE_FRAMES; ++i)
    {
        _spriteTextureReferences[i] = -1;
    }
    Circle();
}

Actor::~Actor()
{
    StringSet tags = _tags;
    for (StringSet::iterator it = tags.begin(); it != tags.end(); ++it)
    {
        Untag(*it);
    }
    ForgetName();
    Camera::ForgetActor(this);
    if (s_scriptCreatedActor == this)
    {
        s_scriptCreatedActor = 0;
    }
}

void Actor::Update(float dt)
{
    UpdateSpriteAnimation(dt);
    if (_intervalsActive)
    {
        StepIntervals(dt);
    }
}

void Actor::StepIntervals(float dt)
{
    if (_positionInterval.IsActive())
    {
        SetPosition(_positionInterval.Step(dt));
        if (!_positionInterval.IsActive())
        {
            AnnounceArrival(_positionIntervalMessage);
        }
    }
    if (_rotationInterval.IsActive())
    {
        SetRotation(_rotationInterval.Step(dt));
        if (!_rotationInterval.IsActive())
        {
            AnnounceArrival(_rotationIntervalMessage);
        }
    }
    if (_colorInterval.IsActive())
    {
        _color = _colorInterval.Step(dt);
        if (!_colorInterval.IsActive())
        {
            AnnounceArrival(_colorIntervalMessage);
        }
    }
    if (_alphaInterval.IsActive())
    {
        _color.A = _alphaInterval.Step(dt);
        if (!_alphaInterval.IsActive())
        {
            AnnounceArrival(_alphaIntervalMessage);
        }
    }
    if (_sizeInterval.IsActive())
    {
        const Vector2 size = _sizeInterval.Step(dt);
        SetSize(size.X, size.Y);
        if (!_sizeInterval.IsActive())
        {
            AnnounceArrival(_sizeIntervalMessage);
        }
    }
    _intervalsActive = _positionInterval.IsActive() || _rotationInterval.IsActive() || _colorInterval.IsActive() ||
                       _alphaInterval.IsActive() || _sizeInterval.IsActive();
}

void Actor::AnnounceArrival(const String& messageName)
{
    if (!messageName.empty())
    {
        Switchboard::GetInstance()->Broadcast(new Message(messageName, this));
    }
}

void Actor::Render()
{
    glPushMatrix();
    DrawAt(_position);
    glPopMatrix();
}

void Actor::DrawAt(const Vector2& position)
{
    glTranslatef(position.X, position.Y, 0.0f);
    glRotatef(_rotation, 0.0f, 0.0f, 1.0f);
    glScalef(_size.X, _size.Y, 1.0f);
    glColor4f(_color.R, _color.G, _color.B, _color.A);

    const int tex = _spriteTextureReferences[_spriteCurrentFrame];
    if (tex >= 0)
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tex);
    }
    DrawShape(tex);
    if (tex >= 0)
    {
        glDisable(GL_TEXTURE_2D);
    }
}

void Actor::AddToBatch(SpriteBatch& batch) const
{
    const int tex = _spriteTextureReferences[_spriteCurrentFrame];
    const SpritePlacement placement = {_position, _rotation, _size};
    if (_drawShape == ADS_Circle)
    {
        batch.AddFan(tex, placement, Circle().vertices, Circle().texCoords, kCircleVertexCount, _color);
    }
    else
    {
        batch.AddSquare(tex, placement, &_UVs[0].X, _color);
    }
}

void Actor::DrawShape(int /*tex*/)
{
    switch (_drawShape)
    {
    case ADS_Circle:
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, Circle().vertices);
        glTexCoordPointer(2, GL_FLOAT, 0, Circle().texCoords);
        glDrawArrays(GL_TRIANGLE_FAN, 0, kCircleVertexCount);
        break;
    case ADS_DisplayList:
        // A list may draw with arrays of its own; none of ours must linger for it.
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        if (_displayListIndex < 0)
        {
            CompoundLog::GetSystemLog().Printf("Invalid display list index: %i.", _displayListIndex);
            return;
        }
        glCallList(_displayListIndex);
        return;
    default:
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, kSquareVertices);
        glTexCoordPointer(2, GL_FLOAT, 0, _UVs);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        break;
    }
    // The coordinates point into this actor, which may be deleted before the next draw.
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void Actor::SetSize(float x, float y)
{
    if (x < 0.0f)
    {
        x = 0.0f;
    }
    if (y <= 0.0f)
    {
        y = x;
    }
    _size = Vector2(x, y);
}

void Actor::SetSize(const Vector2& newSize)
{
    _size = Vector2(newSize.X < 0.0f ? 0.0f : newSize.X, newSize.Y < 0.0f ? 0.0f : newSize.Y);
}

BoundingBox Actor::GetBoundingBox() const
{
    return BoundingBox(_position - _size * 0.5f, _position + _size * 0.5f);
}

void Actor::SetPosition(const Vector2& position) { _position = position; }

void Actor::SetPosition(float x, float y) { _position = Vector2(x, y); }

void Actor::SetRotation(float rotation) { _rotation = rotation; }

void Actor::SetColor(float r, float g, float b, float a) { SetColor(Color(r, g, b, a, false)); }

void Actor::SetColor(const Color& color)
{
    _color = color;
    _color.Clamp();
}

void Actor::SetAlpha(float newAlpha) { _color.A = newAlpha; }

void Actor::SetUVs(const Vector2& lowerLeft, const Vector2& upperRight)
{
    _UVs[0] = Vector2(lowerLeft.X, upperRight.Y);
    _UVs[1] = Vector2(lowerLeft.X, lowerLeft.Y);
    _UVs[2] = Vector2(upperRight.X, upperRight.Y);
    _UVs[3] = Vector2(upperRight.X, lowerLeft.Y);
}

void Actor::GetUVs(Vector2& lowerLeft, Vector2& upperRight) const
{
    lowerLeft = _UVs[1];
    upperRight = _UVs[2];
}

void Actor::SetDrawShape(actorDrawShape drawShape) { _drawShape = drawShape; }

void Actor::MoveTo(const Vector2& newPosition, float duration, bool smooth, String onCompletionMessage)
{
    _positionInterval = Interval<Vector2>(_position, newPosition, duration, smooth);
    _positionIntervalMessage = onCompletionMessage;
    _intervalsActive = true;
}

void Actor::RotateTo(float newRotation, float duration, bool smooth, String onCompletionMessage)
{
    _rotationInterval = Interval<float>(_rotation, newRotation, duration, smooth);
    _rotationIntervalMessage = onCompletionMessage;
    _intervalsActive = true;
}

void Actor::ChangeColorTo(const Color& newColor, float duration, bool smooth, String onCompletionMessage)
{
    _colorInterval = Interval<Color>(_color, newColor, duration, smooth);
    _colorIntervalMessage = onCompletionMessage;
    _intervalsActive = true;
}

void Actor::ChangeAlphaTo(float newAlpha, float duration, bool smooth, String onCompletionMessage)
{
    _alphaInterval = Interval<float>(_color.A, newAlpha, duration, smooth);
    _alphaIntervalMessage = onCompletionMessage;
    _intervalsActive = true;
}

void Actor::ChangeSizeTo(const Vector2& newSize, float duration, bool smooth, String onCompletionMessage)
{
    _sizeInterval = Interval<Vector2>(_size, newSize, duration, smooth);
    _sizeIntervalMessage = onCompletionMessage;
    _intervalsActive = true;
}

void Actor::ChangeSizeTo(float newSize, float duration, bool smooth, String onCompletionMessage)
{
    ChangeSizeTo(Vector2(newSize, newSize), duration, smooth, onCompletionMessage);
}

void Actor::LevelUnloaded() {}

bool Actor::IsMoving() const { return _positionInterval.IsActive(); }

String Actor::GetClassName() const { return "Actor"; }

void Actor::SetScriptCreatedActor(Actor* actor) { s_scriptCreatedActor = actor; }

Actor* Actor::CreateByScript(const String& actorDefinition)
{
    // Cleared first, so a script that fails or makes nothing can't hand back an older actor.
    s_scriptCreatedActor = 0;
    if (!LuaScriptingModule::CallFunction("Actor_CreateAndRegister", StringList(1, actorDefinition)))
        return 0;
    return s_scriptCreatedActor;
}

void Actor::ReceiveMessage(Message* /*message*/) {}
