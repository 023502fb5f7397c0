#pragma once

#include "engine/platform/sound/SoundFileDecoder.h"

#include <vector>

namespace SoundLib
{
// Keeps one source's queue of buffers filled from a file while it plays, so a long
// piece of music never has to sit decoded in memory. Refilled from System::Update.
class StreamFeeder
{
public:
    StreamFeeder();
    ~StreamFeeder();

    StreamFeeder(const StreamFeeder&) = delete;
    StreamFeeder& operator=(const StreamFeeder&) = delete;

    // Opens the file and queues buffers of bufferFrames frames on source: bufferCount of
    // them, or more when that holds too little time to ride out a busy main thread.
    Result Start(const std::string& path, unsigned int source, unsigned int bufferFrames, int bufferCount,
                 bool looping);
    // Refills the buffers the source has finished with. With looping the file starts over
    // at its end. False once everything queued has been played and nothing is left;
    // true with a stopped source when it ran dry before this refill and should play on.
    bool Refill(bool looping);
    // Unqueues and frees the buffers; the source itself stays with its owner.
    void Stop();

private:
    // Decodes the next piece into buffer; false when the file has nothing more.
    bool Fill(unsigned int buffer, bool looping);

    SoundFileDecoder _decoder;
    unsigned int _source;
    unsigned int _bufferFrames;
    std::vector<unsigned int> _buffers;
    std::vector<short> _pcm;
};
}
