#pragma once

#include <AL/alc.h>

#include <vector>

namespace SoundLib
{
// The audio device and its mixing context, and a pool of the mixer's voices (sources).
// Without a device it stays silent: every source it hands out is 0.
class AudioOutput
{
public:
    enum OpenResult
    {
        OPENRESULT_OPENED,
        OPENRESULT_NO_DEVICE,
        OPENRESULT_NO_CONTEXT
    };

    AudioOutput();
    ~AudioOutput();

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens the default device. With OPENRESULT_NO_CONTEXT the device is closed again.
    OpenResult Open();
    void Close();
    bool IsSilent() const { return _context == 0; }

    // Makes this output's context the current one, in case another output took over.
    void MakeCurrent();

    // A source with default settings; 0 when silent or when the mixer has no more.
    unsigned int AcquireSource();
    // Stops the source, detaches its buffers and keeps it for the next AcquireSource.
    void ReleaseSource(unsigned int source);

    bool HasStereoAngles() const { return _hasStereoAngles; }

private:
    void ResetSource(unsigned int source);

    ALCdevice* _device;
    ALCcontext* _context;
    bool _hasStereoAngles;
    std::vector<unsigned int> _freeSources;
    std::vector<unsigned int> _allSources;
};
}
