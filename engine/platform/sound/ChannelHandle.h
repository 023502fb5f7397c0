#pragma once

#include "engine/platform/sound/SoundTypes.h"

namespace SoundLib
{
// A channel handle packs the slot index into its low bits and the generation of the
// sound started on the slot above them. Generations count up across every system of
// the process, so no two sounds ever share a handle (on 32-bit builds they wrap after
// about a million sounds).
const int kChannelIndexBits = 12;
const int kMaxChannels = 1 << kChannelIndexBits;

Channel* MakeChannelHandle(int index, unsigned long long generation);
int GetChannelHandleIndex(const Channel* channel);
unsigned long long GetChannelHandleGeneration(const Channel* channel);
}
