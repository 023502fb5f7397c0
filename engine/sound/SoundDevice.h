#pragma once

#include "engine/platform/sound/SoundTypes.h"
#include "engine/sound/SoundHandles.h"
#include "engine/util/GenericCallback.h"
#include "engine/util/StringTypes.h"

#include <unordered_set>

class GameManager;

// The engine's one sound service: loads sound files into samples, plays them and reports
// the end of every sound that played out to one registered callback. Samples belong to the
// device and are all released at Shutdown. Failed sound-library calls are logged
// ("FMOD error! (code) text") and the operation carries on.
class SoundDevice
{
public:
    typedef void (GameManager::*SoundEndedFunction)(ZarvoSoundHandle);

    // Creates and starts the device on first use.
    static SoundDevice* GetInstance();
    // Whether a device exists now, without creating one.
    static bool HasInstance();

    // Logs "FMOD error! (code) text" unless result is the library's success code;
    // true on success. For the sound-library calls made outside the device as well.
    static bool CheckResult(int result);

    // Starts the sound library; called by GetInstance. An error line when already started.
    void Initialize();

    // object->function(sound) is called, inside Update, for each sound that played to its end.
    // SetSoundCallback(0, 0) clears it.
    void SetSoundCallback(GameManager* object, SoundEndedFunction function);

    // Null (and an error line) when the file is missing or can't be read. A stream is
    // decoded while it plays instead of at load.
    ZarvoSampleHandle LoadSample(const String& filename, bool isStream);
    // A null sample, or one this device didn't load (a device shut down since has freed its
    // samples), plays nothing: "ERROR: Invalid ZarvoSampleHandle." and a null handle.
    ZarvoSoundHandle PlaySound(ZarvoSampleHandle sample, float volume = 1.0f, bool looping = false, int flags = 0);
    void StopSound(ZarvoSoundHandle sound);
    void PauseSound(ZarvoSoundHandle sound, bool paused);
    // Paused sounds count as playing. False when the handle is stale.
    bool IsPlaying(ZarvoSoundHandle sound);
    bool IsPaused(ZarvoSoundHandle sound);
    // -1 left .. 1 right.
    void SetPan(ZarvoSoundHandle sound, float pan);
    // 0 .. 1.
    void SetVolume(ZarvoSoundHandle sound, float volume);

    // Once per frame: refills streams and reports the sounds that ended.
    void Update();
    // Releases every sample and the sound library, then deletes the device.
    void Shutdown();

private:
    SoundDevice();
    ~SoundDevice();

    bool IsVersionSupported();
    void ApplyDriverSettings();
    void StartOutput();
    void WarnWhenSilent();
    void NotifySoundEnded(ZarvoSoundHandle sound);
    static SoundLib::Result OnChannelCallback(SoundLib::Channel* channel, SoundLib::ChannelCallbackType type);

    TGenericCallback<GameManager, ZarvoSoundHandle> _soundCallback;
    SoundLib::System* _system;
    // Every sample loaded, released at Shutdown; a handle not among them is refused.
    std::unordered_set<ZarvoSampleHandle> _samples;

    static SoundDevice* s_instance;
};
