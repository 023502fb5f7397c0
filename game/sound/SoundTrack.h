#pragma once

#include "engine/actors/Interval.h"
#include "engine/sound/SoundHandles.h"

class SoundSample;

// One music track: a sample with a play state, a volume and a fade. Music never loops by
// itself; the sound manager picks what follows when a track ends.
class SoundTrack
{
public:
    enum State
    {
        TS_Stopped,
        TS_Playing
    };
    enum Fading
    {
        TF_None,
        TF_In,
        TF_Out
    };

    explicit SoundTrack(SoundSample* sample = nullptr);
    SoundTrack(const SoundTrack& other) = default;
    SoundTrack& operator=(const SoundTrack& other) = default;
    virtual ~SoundTrack();

    void Play();
    void Stop();
    // Starts the track silent and raises it to its full volume over a second.
    void FadeIn();
    // Lowers the track to silence over a second, then stops it.
    void FadeOut();
    // Advances a running fade; true when it finished in this step.
    bool AdvanceFade(float dt);

    void SetVolume(float volume);
    float GetEffectiveVolume() const;
    // Hands the effective volume to the playing channel.
    void ApplyVolume();

    bool IsPlaying() const { return _state == TS_Playing; }
    bool IsStopped() const { return _state == TS_Stopped; }
    Fading GetFading() const { return _fading; }
    bool IsFadeRunning() const { return _fade.IsActive(); }
    ZarvoSoundHandle GetChannel() const { return _channel; }
    SoundSample* GetSample() const { return _sample; }

private:
    State _state;
    Fading _fading;
    Interval<float> _fade;
    float _volume;
    SoundSample* _sample;
    ZarvoSoundHandle _channel;
};
