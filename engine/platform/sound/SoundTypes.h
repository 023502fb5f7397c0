#pragma once

#include "engine/platform/sound/SoundResult.h"

namespace SoundLib
{
class Sound;
class System;
// A playing sound. Only handles exist: each one encodes a channel slot and the
// generation of the sound started on it, and is never dereferenced.
class Channel;

// This library's version as 0xMMMMmmpp (major, minor, patch).
const unsigned int kVersion = 0x00010000;

// Capability bits of an output driver.
enum DriverCaps
{
    DRIVERCAPS_NONE = 0,
    // The driver mixes in software on behalf of a device without its own mixer.
    DRIVERCAPS_HARDWARE_EMULATED = 0x2
};

enum SpeakerMode
{
    SPEAKERMODE_MONO,
    SPEAKERMODE_STEREO
};

enum InitFlags
{
    INITFLAGS_NORMAL = 0
};

// How CreateSound reads a file: a sample is decoded whole at load, a stream is
// decoded bit by bit while it plays (refilled in System::Update).
enum SoundMode
{
    SOUNDMODE_SAMPLE,
    SOUNDMODE_STREAM
};

enum LoopMode
{
    LOOPMODE_OFF,
    LOOPMODE_NORMAL
};

enum OutputType
{
    // Sounds reach a real (or configured) audio device.
    OUTPUTTYPE_DEVICE,
    // No device could be opened: sounds are silent, but their playback clocks run.
    OUTPUTTYPE_NOSOUND
};

enum ChannelCallbackType
{
    // The sound played to its end (a stopped sound is not reported).
    CHANNELCALLBACK_END
};

// Called on the main thread inside System::Update. The result is not looked at.
typedef Result (*ChannelCallback)(Channel* channel, ChannelCallbackType type);
}
