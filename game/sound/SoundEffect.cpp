#include "game/sound/SoundEffect.h"

#include "engine/actors/Actor.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/Camera.h"
#include "engine/sound/SoundDevice.h"
#include "game/sound/SoundManager.h"
#include "game/sound/SoundSample.h"

#include <algorithm>

namespace
{
    // The visible world: lower left and upper right corners.
    void ViewCorners(Vector2& lowerLeft, Vector2& upperRight)
    {
        Camera* camera = Camera::GetInstance();
        lowerLeft = MathUtil::ScreenToWorld(0, camera->GetWindowHeight());
        upperRight = MathUtil::ScreenToWorld(camera->GetWindowWidth(), 0);
    }
}

SoundEffect::SoundEffect(SoundSample* sample, Actor* source, float volume)
    : _sample(sample), _channel(nullptr), _source(source), _volumeFactor(1.0f), _volume(volume)
{
}

SoundEffect::~SoundEffect()
{
}

float SoundEffect::PanFor(float sourceX, float viewLeft, float viewRight)
{
    const float width = viewRight - viewLeft;
    if (width == 0.0f)
        return 0.0f;
    return std::clamp(2.0f * ((sourceX - viewLeft) / width - 0.5f), -1.0f, 1.0f);
}

float SoundEffect::DistanceFactor(float distance, float viewDiagonal)
{
    if (!(viewDiagonal > 0.0f))
        return 1.0f;
    const float ratio = distance / viewDiagonal;
    return 1.0f - 0.5f * ratio * ratio;
}

void SoundEffect::Update(SoundManager* manager)
{
    if (!_source)
        return;
    if (_source->IsDestroyed())
    {
        _source = nullptr;
        return;
    }
    ApplyPan();
    ApplyVolume(manager);
}

void SoundEffect::ApplyPan()
{
    if (!_source || !_channel)
        return;
    Vector2 lowerLeft;
    Vector2 upperRight;
    ViewCorners(lowerLeft, upperRight);
    SoundDevice::GetInstance()->SetPan(_channel, PanFor(_source->GetPosition().X, lowerLeft.X, upperRight.X));
}

void SoundEffect::ApplyVolume(SoundManager* manager)
{
    if (!_source || !manager || !_sample || !_channel)
        return;
    Vector2 lowerLeft;
    Vector2 upperRight;
    ViewCorners(lowerLeft, upperRight);
    const Vector2 camera = Camera::GetInstance()->GetPosition();
    const float distance = Vector2::Distance(camera, _source->GetPosition());
    const float diagonal = (upperRight - lowerLeft).Length();
    // The effects getter already includes the master volume.
    const float volume = _volume * _volumeFactor * manager->GetEffectsVolume() * _sample->GetVolume()
                         * DistanceFactor(distance, diagonal);
    SoundDevice::GetInstance()->SetVolume(_channel, volume);
}

void SoundEffect::Stop()
{
    if (_channel && SoundDevice::HasInstance())
        SoundDevice::GetInstance()->StopSound(_channel);
}
