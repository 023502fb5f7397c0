#include "engine/sound/SoundDevice.h"

#include "engine/core/GameManager.h"
#include "engine/log/CompoundLog.h"
#include "engine/platform/sound/ChannelControl.h"
#include "engine/platform/sound/Sound.h"
#include "engine/platform/sound/SoundSystem.h"
#include "engine/util/DeletionNotice.h"

namespace
{
const unsigned int kRequiredLibraryVersion = 0x00010000;
const int kChannelCount = 1024;
// Fewer channels for the second attempt when the output could not build its mixing buffer.
const int kFallbackChannelCount = 512;
const int kBufferCount = 10;
}

SoundDevice* SoundDevice::s_instance = 0;

SoundDevice* SoundDevice::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new SoundDevice();
        s_instance->Initialize();
    }
    return s_instance;
}

bool SoundDevice::HasInstance() { return s_instance != 0; }

bool SoundDevice::CheckResult(int result)
{
    if (result == SoundLib::RESULT_OK)
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("FMOD error! (%d) %s\n", result, SoundLib::ResultString(result));
    return false;
}

SoundDevice::SoundDevice() : _system(0) {}

SoundDevice::~SoundDevice() { DeletionNotice::Send(this); }

void SoundDevice::Initialize()
{
    if (_system != 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Sound system already initialized.");
        return;
    }
    CheckResult(SoundLib::System::Create(&_system));
    if (_system == 0 || !IsVersionSupported())
    {
        return;
    }
    ApplyDriverSettings();
    StartOutput();
    WarnWhenSilent();
}

bool SoundDevice::IsVersionSupported()
{
    unsigned int version = 0;
    CheckResult(_system->GetVersion(&version));
    if (version < kRequiredLibraryVersion)
    {
        CompoundLog::GetSystemLog().Printf("Error! You are using an old version of FMOD %08x. This program requires %08x\n",
                                           version, kRequiredLibraryVersion);
        return false;
    }
    return true;
}

void SoundDevice::ApplyDriverSettings()
{
    unsigned int caps = 0;
    SoundLib::SpeakerMode speakerMode = SoundLib::SPEAKERMODE_STEREO;
    CheckResult(_system->GetDriverCaps(0, &caps, &speakerMode));
    CheckResult(_system->SetSpeakerMode(speakerMode));
    // A device without its own mixer needs the shorter buffers to keep latency down.
    const unsigned int bufferLength = (caps & SoundLib::DRIVERCAPS_HARDWARE_EMULATED) != 0 ? 1024 : 2048;
    CheckResult(_system->SetDSPBufferSize(bufferLength, kBufferCount));
}

void SoundDevice::StartOutput()
{
    const SoundLib::Result result = _system->Init(kChannelCount, SoundLib::INITFLAGS_NORMAL);
    if (result == SoundLib::RESULT_ERR_OUTPUT_CREATEBUFFER)
    {
        // The output may manage plain stereo with fewer channels.
        CheckResult(_system->SetSpeakerMode(SoundLib::SPEAKERMODE_STEREO));
        CheckResult(_system->Init(kFallbackChannelCount, SoundLib::INITFLAGS_NORMAL));
        return;
    }
    CheckResult(result);
}

void SoundDevice::WarnWhenSilent()
{
    SoundLib::OutputType output = SoundLib::OUTPUTTYPE_DEVICE;
    if (_system->GetOutputType(&output) == SoundLib::RESULT_OK && output == SoundLib::OUTPUTTYPE_NOSOUND)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: No audio output device could be opened; sounds play silently.");
    }
}

void SoundDevice::SetSoundCallback(GameManager* object, SoundEndedFunction function)
{
    _soundCallback = TGenericCallback<GameManager, ZarvoSoundHandle>(object, function);
}

ZarvoSampleHandle SoundDevice::LoadSample(const String& filename, bool isStream)
{
    if (_system == 0)
    {
        return 0;
    }
    ZarvoSampleHandle sample = 0;
    const SoundLib::SoundMode mode = isStream ? SoundLib::SOUNDMODE_STREAM : SoundLib::SOUNDMODE_SAMPLE;
    if (!CheckResult(_system->CreateSound(filename.c_str(), mode, &sample)) || sample == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't load the sound file \"%s\".", filename.c_str());
        return 0;
    }
    _samples.insert(sample);
    return sample;
}

ZarvoSoundHandle SoundDevice::PlaySound(ZarvoSampleHandle sample, float volume, bool looping, int flags)
{
    // Null, or a sample this device never loaded: one a device shut down since has freed.
    if (sample == 0 || _samples.count(sample) == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Invalid ZarvoSampleHandle.");
        return 0;
    }
    if (flags != 0)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: PlaySound doesn't use the passed in flags yet.");
    }
    if (_system == 0)
    {
        return 0;
    }
    ZarvoSoundHandle sound = 0;
    // Started paused so volume and loop mode apply before anything is heard.
    CheckResult(_system->PlaySound(sample, true, &sound));
    if (sound == 0)
    {
        return 0;
    }
    CheckResult(SoundLib::SetChannelVolume(sound, volume));
    CheckResult(SoundLib::SetChannelLoopMode(sound, looping ? SoundLib::LOOPMODE_NORMAL : SoundLib::LOOPMODE_OFF));
    CheckResult(SoundLib::SetChannelPaused(sound, false));
    SoundLib::SetChannelCallback(sound, OnChannelCallback);
    return sound;
}

void SoundDevice::StopSound(ZarvoSoundHandle sound) { CheckResult(SoundLib::StopChannel(sound)); }

void SoundDevice::PauseSound(ZarvoSoundHandle sound, bool paused)
{
    CheckResult(SoundLib::SetChannelPaused(sound, paused));
}

bool SoundDevice::IsPlaying(ZarvoSoundHandle sound)
{
    bool playing = false;
    return CheckResult(SoundLib::IsChannelPlaying(sound, &playing)) && playing;
}

bool SoundDevice::IsPaused(ZarvoSoundHandle sound)
{
    bool paused = false;
    return CheckResult(SoundLib::GetChannelPaused(sound, &paused)) && paused;
}

void SoundDevice::SetPan(ZarvoSoundHandle sound, float pan) { CheckResult(SoundLib::SetChannelPan(sound, pan)); }

void SoundDevice::SetVolume(ZarvoSoundHandle sound, float volume)
{
    CheckResult(SoundLib::SetChannelVolume(sound, volume));
}

void SoundDevice::Update()
{
    if (_system != 0)
    {
        CheckResult(_system->Update());
    }
}

void SoundDevice::Shutdown()
{
    for (ZarvoSampleHandle sample : _samples)
    {
        sample->Release();
    }
    _samples.clear();
    if (_system != 0)
    {
        CheckResult(_system->Release());
        _system = 0;
    }
    if (s_instance == this)
    {
        s_instance = 0;
    }
    delete this;
}

SoundLib::Result SoundDevice::OnChannelCallback(SoundLib::Channel* channel, SoundLib::ChannelCallbackType type)
{
    // Only a sound that played out is reported as ended.
    if (type == SoundLib::CHANNELCALLBACK_END && s_instance != 0)
    {
        s_instance->NotifySoundEnded(channel);
    }
    return SoundLib::RESULT_OK;
}

void SoundDevice::NotifySoundEnded(ZarvoSoundHandle sound)
{
    if (_soundCallback.IsBound())
    {
        _soundCallback.Execute(sound);
    }
}
