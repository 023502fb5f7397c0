#include "game/sound/SoundTrack.h"

#include "engine/sound/SoundDevice.h"
#include "game/sound/SoundSample.h"

namespace
{
    const float FadeSeconds = 1.0f;
}

SoundTrack::SoundTrack(SoundSample* sample)
    : _state(TS_Stopped), _fading(TF_None), _fade(), _volume(1.0f), _sample(sample), _channel(nullptr)
{
}

SoundTrack::~SoundTrack()
{
    Stop();
}

void SoundTrack::Play()
{
    if (_state == TS_Playing)
        return;
    _fade = Interval<float>();
    _state = TS_Playing;
    _fading = TF_None;
    if (_sample)
        _channel = SoundDevice::GetInstance()->PlaySound(_sample->GetHandle(), GetEffectiveVolume(), false, 0);
}

void SoundTrack::Stop()
{
    if (_state == TS_Stopped)
        return;
    _state = TS_Stopped;
    _fade = Interval<float>();
    _fading = TF_None;
    if (_channel && SoundDevice::HasInstance())
        SoundDevice::GetInstance()->StopSound(_channel);
    _channel = nullptr;
}

void SoundTrack::FadeIn()
{
    Play();
    _fading = TF_In;
    _fade = Interval<float>(0.0f, 1.0f, FadeSeconds, true);
    // Silent from the first moment, not at full volume until the next step.
    ApplyVolume();
}

void SoundTrack::FadeOut()
{
    _fading = TF_Out;
    _fade = Interval<float>(1.0f, 0.0f, FadeSeconds, true);
}

bool SoundTrack::AdvanceFade(float dt)
{
    if (_fading == TF_None || !_fade.IsActive())
        return false;
    _fade.Step(dt);
    ApplyVolume();
    if (_fade.IsActive())
        return false;
    if (_fading == TF_Out)
        Stop();
    _fading = TF_None;
    return true;
}

void SoundTrack::SetVolume(float volume)
{
    _volume = volume;
}

float SoundTrack::GetEffectiveVolume() const
{
    float volume = _volume * (_sample ? _sample->GetVolume() : 1.0f);
    if (_fading != TF_None)
        volume *= _fade.GetCurrent();
    return volume;
}

void SoundTrack::ApplyVolume()
{
    if (_channel)
        SoundDevice::GetInstance()->SetVolume(_channel, GetEffectiveVolume());
}
