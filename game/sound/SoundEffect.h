#pragma once

#include "engine/math/Vector2.h"
#include "engine/sound/SoundHandles.h"

class Actor;
class SoundManager;
class SoundSample;

// The four kinds of effect; each indexes the effect files and the rotation of its copies.
enum EffectKind
{
    EK_Broadside = 0,
    EK_MiniCannon = 1,
    EK_Hit = 2,
    EK_Splash = 3,
    EK_Count = 4
};

// One started effect, tied to the actor it comes from: panned by where the source stands in
// the view and quieter the farther it is from the camera, both kept up while the source lives.
class SoundEffect
{
public:
    SoundEffect(SoundSample* sample, Actor* source, float volume);
    virtual ~SoundEffect();

    // Forgets a destroyed source (its sound keeps its last pan and volume), else re-aims.
    void Update(SoundManager* manager);
    void ApplyPan();
    void ApplyVolume(SoundManager* manager);
    void Stop();
    // The source is going away: the sound keeps its last pan and volume from now on.
    void ForgetSource() { _source = nullptr; }

    void SetChannel(ZarvoSoundHandle channel) { _channel = channel; }
    ZarvoSoundHandle GetChannel() const { return _channel; }
    SoundSample* GetSample() const { return _sample; }
    Actor* GetSource() const { return _source; }
    float GetVolume() const { return _volume; }

    // -1 at the left edge of the view (and beyond), 0 in the middle, 1 at the right edge.
    static float PanFor(float sourceX, float viewLeft, float viewRight);
    // 1 at the camera, 1/2 one view diagonal away.
    static float DistanceFactor(float distance, float viewDiagonal);

private:
    SoundSample* _sample;
    ZarvoSoundHandle _channel;
    Actor* _source;
    float _volumeFactor;
    float _volume;
};
