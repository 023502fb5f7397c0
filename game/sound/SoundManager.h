#pragma once

#include "engine/core/GameManager.h"
#include "game/sound/SoundEffect.h"
#include "game/sound/SoundTrack.h"
#include "engine/util/StringTypes.h"

#include <vector>

class Actor;
class SoundSample;

// The game's sound layer: owns every sound file, plays the music of the current mode with
// cross-fades and follows each track with the next, and plays the positional effects.
// A GameManager only to be told when sounds end; it lives on its own World layer.
class SoundManager : public GameManager
{
public:
    enum MusicState
    {
        MS_Stopped,
        MS_Playing
    };
    // Music groups, by the game's mode.
    enum MusicMode
    {
        MM_Opening = 0,
        MM_Menu = 1,
        MM_Battle = 2
    };

    SoundManager();
    virtual ~SoundManager();

    // Effects: re-aimed and, once ended, deleted. Runs while the simulation runs.
    void Update(float dt) override;
    // Music fades: the game manager advances them every tick, so they finish also while the
    // simulation is paused (the shipyard) instead of leaving two tracks at full volume.
    void UpdateMusic(float dt);
    void PreDestroy() override;
    void SoundEnded(ZarvoSoundHandle sound) override;
    bool IsProtectedFromUnload(Renderable*) override { return false; }
    // It listens to nothing.
    void ReceiveMessage(Message*) override {}

    void SetMusicMode(int mode);
    int GetMusicMode() const { return _musicMode; }
    MusicState GetMusicState() const { return _musicState; }
    void StartMusic();
    void StopAll();

    void SetMasterVolume(float volume);
    void SetMusicVolume(float volume);
    void SetEffectsVolume(float volume);
    float GetMasterVolume() const { return _masterVolume; }
    float GetMusicVolume() const { return _musicVolume * _masterVolume; }
    float GetEffectsVolume() const { return _effectsVolume * _masterVolume; }

    // The game's way to play an effect: through the sound manager that is running, if any
    // (none before it is built or after teardown), kept until its sound ends.
    static SoundEffect* PlayEffect(int kind, Actor* source, float volume);
    // The source's effects stop following it. Every class that plays effects calls this from
    // its pre-destroy hook: an unload of the World deletes what it destroys at once, before
    // the next update could notice.
    static void ForgetSource(const Actor* source);
    static SoundManager* GetRunning() { return s_running; }
    // Starts an effect and keeps it in the playing list until its sound ends.
    SoundEffect* PlayAndKeepEffect(int kind, Actor* source, float volume);
    // An effect of the kind on the next copy in its rotation, or null when that copy is
    // still sounding (the effect is dropped) or the sound did not start.
    SoundEffect* StartEffect(int kind, Actor* source, float volume);
    SoundSample* NextSample(int kind);

    const std::vector<std::vector<SoundTrack>>& GetMusicGroups() const { return _musicGroups; }
    const std::vector<SoundEffect*>& GetPlayingEffects() const { return _playingEffects; }
    const std::vector<SoundEffect*>& GetFinishedEffects() const { return _finishedEffects; }
    const std::vector<std::vector<SoundSample*>>& GetEffectSamples() const { return _effectSamples; }

private:
    struct SoundFile
    {
        String file;
        float volume;
    };

    void LoadSounds();
    void ApplyVolumes();
    void PlayTrack(int group, int index);
    bool EndEffect(ZarvoSoundHandle sound);
    void DeleteFinishedEffects();

    static SoundManager* s_running;

    MusicState _musicState;
    int _musicMode;
    float _masterVolume;
    float _musicVolume;
    float _effectsVolume;
    std::vector<SoundFile> _musicFiles;
    std::vector<SoundFile> _effectFiles;
    std::vector<SoundSample*> _musicSamples;
    std::vector<std::vector<SoundSample*>> _effectSamples;
    std::vector<size_t> _effectCursors;
    std::vector<SoundEffect*> _playingEffects;
    std::vector<SoundEffect*> _finishedEffects;
    std::vector<std::vector<SoundTrack>> _musicGroups;
};
