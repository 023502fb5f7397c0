#include "engine/platform/sound/SoundResult.h"

namespace SoundLib
{
namespace
{
// Indexed by Result.
const char* const kResultTexts[RESULT_COUNT] = {
    "No errors.",
    "An invalid parameter was passed to this function.",
    "An invalid object handle was used.",
    "The channel has since been given to another sound.",
    "No free channel was left to play the sound on.",
    "This can only be done before the sound system is initialised.",
    "The sound system has not been initialised.",
    "The sound file could not be found.",
    "The sound file is damaged or in a format that can't be read.",
    "The audio output could not create its mixing buffer.",
    "The audio output reported an error.",
};
}

const char* ResultString(int result)
{
    if (result < 0 || result >= RESULT_COUNT)
    {
        return "Unknown error.";
    }
    return kResultTexts[result];
}
}
