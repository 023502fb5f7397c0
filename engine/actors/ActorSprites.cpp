// An actor's sprite: its frame textures and the frame animation.
#include "engine/actors/Actor.h"

#include "engine/log/CompoundLog.h"
#include "engine/rendering/TextureCache.h"
#include "engine/util/StringUtil.h"

#include <cctype>

namespace
{
int ClampToRange(int value, int lowest, int highest)
{
    if (value > highest)
    {
        value = highest;
    }
    return value < lowest ? lowest : value;
}

// The decimal text of number, padded on the left with '0' to width (never cut).
String PadNumber(int number, size_t width)
{
    String text = IntToString(number);
    if (text.size() < width)
    {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}
}

bool Actor::SetSprite(const String& filename, int frame, GLint clampmode, GLint filtermode, bool optional)
{
    const int textureReference = GetTextureReference(filename, clampmode, filtermode, optional);
    if (textureReference == -1)
    {
        return false;
    }
    SetSpriteTexture(textureReference, frame);
    return true;
}

void Actor::SetSpriteTexture(int texRef, int frame)
{
    frame = ClampToRange(frame, 0, MAX_SPRITE_FRAMES - 1);
    if (frame >= _spriteNumFrames)
    {
        _spriteNumFrames = frame + 1;
    }
    _spriteTextureReferences[frame] = texRef;
}

int Actor::ClampToFrames(int frame) const
{
    return ClampToRange(frame, 0, _spriteNumFrames - 1);
}

int Actor::GetSpriteTexture(int frame) const { return _spriteTextureReferences[ClampToFrames(frame)]; }

void Actor::ClearSpriteInfo()
{
    for (int i = 0; i < _spriteNumFrames; ++i)
    {
        _spriteTextureReferences[i] = -1;
    }
    _spriteAnimType = SAT_None;
    _spriteFrameDelay = 0.0f;
    _spriteCurrentFrame = 0;
}

void Actor::SetSpriteFrame(int frame)
{
    frame = ClampToFrames(frame);
    if (_spriteTextureReferences[frame] == -1)
    {
        CompoundLog::GetSystemLog().Printf(
            "setSpriteFrame() - Warning: frame(%d) has an invalid texture reference.", frame);
    }
    _spriteCurrentFrame = frame;
}

void Actor::PlaySpriteAnimation(float delay, spriteAnimationType animType, int startFrame, int endFrame,
                                const char* animName)
{
    startFrame = ClampToFrames(startFrame);
    endFrame = ClampToFrames(endFrame);

    _spriteFrameDelay = delay;
    _spriteCurrentFrameDelay = delay;
    _spriteCurrentFrame = startFrame;
    _spriteAnimStartFrame = startFrame;
    _spriteAnimEndFrame = endFrame;
    _spriteAnimDirection = (startFrame <= endFrame) ? 1 : -1;
    _spriteAnimType = animType;
    if (animName != 0)
    {
        _currentAnimName = animName;
    }
}

void Actor::UpdateSpriteAnimation(float dt)
{
    if (_spriteFrameDelay <= 0.0f)
    {
        return;
    }
    _spriteCurrentFrameDelay -= dt;
    // A delay far below the update's time would advance billions of frames, and one too small
    // to change the remaining time never catches up: past two rounds through every frame (a
    // ping-pong's full cycle) the animation goes on from a whole delay.
    for (int advanced = 0; _spriteCurrentFrameDelay < 0.0f; ++advanced)
    {
        if (advanced == 2 * MAX_SPRITE_FRAMES)
        {
            _spriteCurrentFrameDelay = _spriteFrameDelay;
            break;
        }
        AdvanceOneFrame();
        _spriteCurrentFrameDelay += _spriteFrameDelay;
    }
}

// Frames run from the start frame towards the end frame, in whichever direction that is,
// so a reversed or one-frame range never leaves the frames between them.
void Actor::AdvanceOneFrame()
{
    const int start = _spriteAnimStartFrame;
    const int end = _spriteAnimEndFrame;
    const int forward = (start <= end) ? 1 : -1;
    switch (_spriteAnimType)
    {
    case SAT_Loop:
        _spriteCurrentFrame = (_spriteCurrentFrame == end) ? start : _spriteCurrentFrame + forward;
        break;
    case SAT_PingPong:
        if (start == end)
        {
            _spriteCurrentFrame = start;
        }
        else if (_spriteAnimDirection == forward)
        {
            if (_spriteCurrentFrame == end)
            {
                _spriteAnimDirection = -forward;
                _spriteCurrentFrame = end - forward;
            }
            else
            {
                _spriteCurrentFrame += forward;
            }
        }
        else if (_spriteCurrentFrame == start)
        {
            _spriteAnimDirection = forward;
            _spriteCurrentFrame = start + forward;
        }
        else
        {
            _spriteCurrentFrame -= forward;
        }
        break;
    case SAT_OneShot:
        if (_spriteCurrentFrame == end)
        {
            _spriteAnimType = SAT_None;
            if (!_currentAnimName.empty())
            {
                SpriteAnimationFinished(_currentAnimName);
            }
        }
        else
        {
            _spriteCurrentFrame += _spriteAnimDirection;
        }
        break;
    default:
        break;
    }
    _spriteCurrentFrame = ClampToFrames(_spriteCurrentFrame);
}

void Actor::SpriteAnimationFinished(String /*animationName*/) {}

void Actor::LoadSpriteFrames(const String& firstFilename, GLint clampmode, GLint filtermode)
{
    _spriteNumFrames = 0;

    const size_t underscore = firstFilename.rfind('_');
    const size_t dot = firstFilename.rfind('.');
    bool wellFormed = underscore != String::npos && dot != String::npos && dot > underscore + 1;
    for (size_t i = underscore + 1; wellFormed && i < dot; ++i)
    {
        wellFormed = std::isdigit((unsigned char)firstFilename[i]) != 0;
    }

    CompoundLog& log = CompoundLog::GetSystemLog();
    if (!wellFormed)
    {
        log.Printf("LoadSpriteFrames() - Bad Format - Expecting somename_###.ext");
        log.Printf("Attempting to load single texture: %s", firstFilename.c_str());
        const int textureReference = GetTextureReference(firstFilename, clampmode, filtermode, false);
        if (textureReference != -1)
        {
            SetSpriteTexture(textureReference, 0);
        }
        return;
    }

    const String prefix = firstFilename.substr(0, underscore + 1);
    const String digits = firstFilename.substr(underscore + 1, dot - underscore - 1);
    const String suffix = firstFilename.substr(dot);
    int number = StringToInt(digits);
    String numberText = digits;
    while (true)
    {
        const int textureReference =
            GetTextureReference(prefix + numberText + suffix, clampmode, filtermode, true);
        if (textureReference == -1)
        {
            return;
        }
        SetSpriteTexture(textureReference, _spriteNumFrames);
        if (_spriteNumFrames >= MAX_SPRITE_FRAMES)
        {
            log.Printf("Maximum number of frames reached (%d). Bailing out...", MAX_SPRITE_FRAMES);
            log.Printf("Increment MAX_SPRITE_FRAMES if you need more.");
            return;
        }
        ++number;
        numberText = PadNumber(number, digits.size());
    }
}
