#include "engine/platform/sound/ChannelControl.h"

#include "engine/platform/sound/SoundSystem.h"
#include "engine/platform/sound/Voice.h"

#include <cmath>

namespace SoundLib
{
Result StopChannel(Channel* channel)
{
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->Stop();
    }
    return found;
}

Result SetChannelPaused(Channel* channel, bool paused)
{
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->SetPaused(paused);
    }
    return found;
}

Result GetChannelPaused(Channel* channel, bool* paused)
{
    if (paused == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *paused = false;
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        *paused = voice->IsPaused();
    }
    return found;
}

Result IsChannelPlaying(Channel* channel, bool* playing)
{
    if (playing == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *playing = false;
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        *playing = voice->IsActive();
    }
    return found;
}

Result SetChannelVolume(Channel* channel, float volume)
{
    if (std::isnan(volume))
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->SetVolume(volume);
    }
    return found;
}

Result SetChannelPan(Channel* channel, float pan)
{
    if (std::isnan(pan))
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->SetPan(pan);
    }
    return found;
}

Result SetChannelLoopMode(Channel* channel, LoopMode mode)
{
    if (mode != LOOPMODE_OFF && mode != LOOPMODE_NORMAL)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->SetLoopMode(mode);
    }
    return found;
}

Result SetChannelCallback(Channel* channel, ChannelCallback callback)
{
    Voice* voice = 0;
    const Result found = System::FindVoice(channel, &voice);
    if (found == RESULT_OK)
    {
        voice->SetCallback(callback);
    }
    return found;
}
}
