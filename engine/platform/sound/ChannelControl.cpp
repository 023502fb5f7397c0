#include "engine/platform/sound/ChannelControl.h"

#include "engine/platform/sound/SoundSystem.h"
#include "engine/platform/sound/Voice.h"

#include <cmath>

namespace SoundLib
{
namespace
{
// Every channel call resolves its handle first; a stale or invalid one touches nothing and
// its error is what the caller gets back.
template <class Action>
Result WithVoice(Channel* channel, Action action)
{
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        action(voice);
    }
    return found;
}
}

Result StopChannel(Channel* channel)
{
    return WithVoice(channel, [](Voice* voice) { voice->Stop(); });
}

Result SetChannelPaused(Channel* channel, bool paused)
{
    return WithVoice(channel, [paused](Voice* voice) { voice->SetPaused(paused); });
}

Result GetChannelPaused(Channel* channel, bool* paused)
{
    if (paused == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *paused = false;
    return WithVoice(channel, [paused](Voice* voice) { *paused = voice->IsPaused(); });
}

Result IsChannelPlaying(Channel* channel, bool* playing)
{
    if (playing == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *playing = false;
    return WithVoice(channel, [playing](Voice* voice) { *playing = voice->IsActive(); });
}

Result SetChannelVolume(Channel* channel, float volume)
{
    if (std::isnan(volume))
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    return WithVoice(channel, [volume](Voice* voice) { voice->SetVolume(volume); });
}

Result SetChannelPan(Channel* channel, float pan)
{
    if (std::isnan(pan))
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    return WithVoice(channel, [pan](Voice* voice) { voice->SetPan(pan); });
}

Result SetChannelLoopMode(Channel* channel, LoopMode mode)
{
    if (mode != LOOPMODE_OFF && mode != LOOPMODE_NORMAL)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    return WithVoice(channel, [mode](Voice* voice) { voice->SetLoopMode(mode); });
}

Result SetChannelCallback(Channel* channel, ChannelCallback callback)
{
    return WithVoice(channel, [callback](Voice* voice) { voice->SetCallback(callback); });
}
}
