#include "game/sound/SoundManager.h"

#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/sound/SoundDevice.h"
#include "game/sound/SoundSample.h"

#include <algorithm>

namespace
{
    const int SoundManagerLayer = 14;
    const int CopiesPerEffect = 10;
}

SoundManager* SoundManager::s_running = nullptr;

SoundManager::SoundManager()
    : _musicState(MS_Stopped), _musicMode(MM_Opening), _masterVolume(0.5f), _musicVolume(0.8f), _effectsVolume(1.0f)
{
    s_running = this;
    World::GetInstance()->Add(this, SoundManagerLayer);
    SoundDevice::GetInstance()->SetSoundCallback(this, &GameManager::SoundEnded);
    LoadSounds();
    ApplyVolumes();
    StartMusic();
}

SoundManager::~SoundManager()
{
    if (s_running == this)
        s_running = nullptr;
    if (SoundDevice::HasInstance())
        SoundDevice::GetInstance()->SetSoundCallback(nullptr, nullptr);
    for (SoundEffect* effect : _playingEffects)
        delete effect;
    for (SoundEffect* effect : _finishedEffects)
        delete effect;
    // Tracks stop their channels as they go.
    _musicGroups.clear();
    for (SoundSample* sample : _musicSamples)
        delete sample;
    for (std::vector<SoundSample*>& copies : _effectSamples)
        for (SoundSample* sample : copies)
            delete sample;
}

void SoundManager::LoadSounds()
{
    _musicFiles = {{"Resources/Sounds/Music/Take a Chance.mp3", 0.2f},
                   {"Resources/Sounds/Music/Brittle Rille.mp3", 0.75f},
                   {"Resources/Sounds/Music/Call to Adventure.mp3", 0.75f},
                   {"Resources/Sounds/Music/Black Vortex.mp3", 1.0f}};
    _effectFiles = {{"Resources/Sounds/Sfx/explosion.mp3", 0.25f},
                    {"Resources/Sounds/Sfx/rumble.flac", 0.5f},
                    {"Resources/Sounds/Sfx/explosion_medium_various_debris_04.mp3", 0.5f},
                    {"Resources/Sounds/Sfx/water_splash_003.mp3", 0.75f}};

    for (const SoundFile& music : _musicFiles)
        _musicSamples.push_back(new SoundSample(music.file, music.volume, true));
    for (const SoundFile& effect : _effectFiles)
    {
        std::vector<SoundSample*> copies;
        for (int copy = 0; copy < CopiesPerEffect; ++copy)
            copies.push_back(new SoundSample(effect.file, effect.volume, false));
        _effectSamples.push_back(copies);
        _effectCursors.push_back(0);
    }

    // Opening, menu, battle (two tracks that alternate). Built before anything plays: a
    // track stops its channel when a copy of it goes away.
    _musicGroups.resize(3);
    _musicGroups[MM_Opening].push_back(SoundTrack(_musicSamples[0]));
    _musicGroups[MM_Menu].push_back(SoundTrack(_musicSamples[1]));
    _musicGroups[MM_Battle].push_back(SoundTrack(_musicSamples[2]));
    _musicGroups[MM_Battle].push_back(SoundTrack(_musicSamples[3]));
}

void SoundManager::ApplyVolumes()
{
    for (std::vector<SoundTrack>& group : _musicGroups)
        for (SoundTrack& track : group)
        {
            track.SetVolume(_masterVolume * _musicVolume);
            track.ApplyVolume();
        }
}

void SoundManager::SetMasterVolume(float volume)
{
    _masterVolume = volume;
    ApplyVolumes();
}

void SoundManager::SetMusicVolume(float volume)
{
    _musicVolume = volume;
    ApplyVolumes();
}

void SoundManager::SetEffectsVolume(float volume)
{
    _effectsVolume = volume;
    for (SoundEffect* effect : _playingEffects)
        effect->ApplyVolume(this);
}

void SoundManager::PlayTrack(int group, int index)
{
    _musicGroups[group][index].Play();
}

void SoundManager::StartMusic()
{
    if (_musicState != MS_Stopped || _musicMode < 0 || _musicMode >= static_cast<int>(_musicGroups.size())
        || _musicGroups[_musicMode].empty())
        return;
    PlayTrack(_musicMode, MathUtil::RandomInt(static_cast<int>(_musicGroups[_musicMode].size())));
    _musicState = MS_Playing;
}

void SoundManager::SetMusicMode(int mode)
{
    if (mode == _musicMode)
        return;
    bool anyPlaying = false;
    for (std::vector<SoundTrack>& group : _musicGroups)
        for (SoundTrack& track : group)
            if (track.IsPlaying())
            {
                track.FadeOut();
                anyPlaying = true;
            }
    if (mode >= 0 && mode < static_cast<int>(_musicGroups.size()) && !_musicGroups[mode].empty())
    {
        SoundTrack& next = _musicGroups[mode][MathUtil::RandomInt(static_cast<int>(_musicGroups[mode].size()))];
        if (anyPlaying)
            next.FadeIn();
        else
            next.Play();
    }
    _musicMode = mode;
}

void SoundManager::StopAll()
{
    for (std::vector<SoundTrack>& group : _musicGroups)
        for (SoundTrack& track : group)
            track.Stop();
    _musicState = MS_Stopped;
}

void SoundManager::UpdateMusic(float dt)
{
    for (std::vector<SoundTrack>& group : _musicGroups)
        for (SoundTrack& track : group)
            track.AdvanceFade(dt);
}

void SoundManager::Update(float)
{
    for (SoundEffect* effect : _playingEffects)
        effect->Update(this);
    DeleteFinishedEffects();
}

void SoundManager::DeleteFinishedEffects()
{
    while (!_finishedEffects.empty())
    {
        SoundEffect* effect = _finishedEffects.back();
        _finishedEffects.pop_back();
        effect->Stop();
        delete effect;
    }
}

void SoundManager::PreDestroy()
{
    if (s_running == this)
        s_running = nullptr;
    SoundDevice::GetInstance()->SetSoundCallback(nullptr, nullptr);
    StopAll();
    // The tracks point at the music samples; they go together.
    _musicGroups.clear();
    for (SoundSample* sample : _musicSamples)
        delete sample;
    _musicSamples.clear();
}

bool SoundManager::EndEffect(ZarvoSoundHandle sound)
{
    for (size_t i = 0; i < _playingEffects.size(); ++i)
    {
        if (_playingEffects[i]->GetChannel() != sound)
            continue;
        _finishedEffects.push_back(_playingEffects[i]);
        _playingEffects.erase(_playingEffects.begin() + i);
        return true;
    }
    return false;
}

void SoundManager::SoundEnded(ZarvoSoundHandle sound)
{
    if (!sound || EndEffect(sound))
        return;
    for (size_t group = 0; group < _musicGroups.size(); ++group)
    {
        std::vector<SoundTrack>& tracks = _musicGroups[group];
        for (size_t index = 0; index < tracks.size(); ++index)
        {
            if (tracks[index].GetChannel() != sound)
                continue;
            if (tracks[index].IsStopped())
                return;
            tracks[index].Stop();
            if (_musicState != MS_Playing || static_cast<int>(group) != _musicMode)
                return;
            if (group == MM_Opening)
                SetMusicMode(MM_Menu);
            else
                PlayTrack(static_cast<int>(group), static_cast<int>((index + 1) % tracks.size()));
            return;
        }
    }
}

SoundSample* SoundManager::NextSample(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(_effectSamples.size()) || _effectSamples[kind].empty())
        return nullptr;
    std::vector<SoundSample*>& copies = _effectSamples[kind];
    _effectCursors[kind] = (_effectCursors[kind] + 1) % copies.size();
    SoundSample* candidate = copies[_effectCursors[kind]];
    for (SoundEffect* effect : _playingEffects)
        if (effect->GetSample()->GetHandle() == candidate->GetHandle())
            return nullptr;
    return candidate;
}

SoundEffect* SoundManager::StartEffect(int kind, Actor* source, float volume)
{
    SoundSample* sample = NextSample(kind);
    if (!sample)
        return nullptr;
    const ZarvoSoundHandle channel = SoundDevice::GetInstance()->PlaySound(sample->GetHandle(), sample->GetVolume(), false, 0);
    if (!channel)
    {
        // Nothing will ever report the end of a sound that never started: keeping it would
        // block this copy for the rest of the run.
        return nullptr;
    }
    SoundEffect* effect = new SoundEffect(sample, source, volume);
    effect->SetChannel(channel);
    effect->Update(this);
    return effect;
}

SoundEffect* SoundManager::PlayAndKeepEffect(int kind, Actor* source, float volume)
{
    SoundEffect* effect = StartEffect(kind, source, volume);
    if (effect)
        _playingEffects.push_back(effect);
    return effect;
}

SoundEffect* SoundManager::PlayEffect(int kind, Actor* source, float volume)
{
    return s_running ? s_running->PlayAndKeepEffect(kind, source, volume) : nullptr;
}

void SoundManager::ForgetSource(const Actor* source)
{
    if (!s_running)
        return;
    for (SoundEffect* effect : s_running->_playingEffects)
        if (effect->GetSource() == source)
            effect->ForgetSource();
}
