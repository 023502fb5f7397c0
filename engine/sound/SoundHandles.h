#pragma once

namespace SoundLib
{
class Sound;
class Channel;
}

// A loaded sample and one playing sound, as the sound library hands them out; null means none.
typedef SoundLib::Sound* ZarvoSampleHandle;
typedef SoundLib::Channel* ZarvoSoundHandle;
