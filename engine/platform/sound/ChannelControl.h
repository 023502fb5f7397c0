#pragma once

#include "engine/platform/sound/SoundTypes.h"

// What can be done with a playing sound through its handle. A handle stays valid after its
// sound ended or was stopped (the calls then change nothing) until its channel is given to
// another sound; from then on every call returns RESULT_ERR_CHANNEL_STOLEN and touches nothing.
// Handles of released systems, and null, give RESULT_ERR_INVALID_HANDLE.
namespace SoundLib
{
// Ends the sound at once; its end is not reported to the channel callback.
Result StopChannel(Channel* channel);
Result SetChannelPaused(Channel* channel, bool paused);
// False for a sound that ended or was stopped.
Result GetChannelPaused(Channel* channel, bool* paused);
// True while the sound plays or is paused.
Result IsChannelPlaying(Channel* channel, bool* playing);
// 0 (silent) to 1 (as recorded); values outside are clamped.
Result SetChannelVolume(Channel* channel, float volume);
// -1 (left) to 1 (right); values outside are clamped.
Result SetChannelPan(Channel* channel, float pan);
Result SetChannelLoopMode(Channel* channel, LoopMode mode);
// Called once, inside System::Update, when the sound has played to its end; null for none.
Result SetChannelCallback(Channel* channel, ChannelCallback callback);
}
