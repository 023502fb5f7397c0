#include "engine/platform/sound/ChannelHandle.h"

#include <cstdint>

namespace SoundLib
{
Channel* MakeChannelHandle(int index, unsigned long long generation)
{
    const std::uintptr_t value = ((std::uintptr_t)generation << kChannelIndexBits) | (std::uintptr_t)index;
    return reinterpret_cast<Channel*>(value);
}

int GetChannelHandleIndex(const Channel* channel)
{
    return (int)(reinterpret_cast<std::uintptr_t>(channel) & (std::uintptr_t)(kMaxChannels - 1));
}

unsigned long long GetChannelHandleGeneration(const Channel* channel)
{
    return (unsigned long long)(reinterpret_cast<std::uintptr_t>(channel) >> kChannelIndexBits);
}
}
