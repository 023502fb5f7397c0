#include "engine/platform/sound/StreamFeeder.h"

#include <AL/al.h>

namespace SoundLib
{
namespace
{
// Refills happen on the main thread, which can be busy for a good part of a second (a level
// being built, textures loading); this much queued audio keeps music going through that.
const double kMinimumQueuedSeconds = 2.0;

int BufferCountCovering(double seconds, int sampleRate, unsigned int bufferFrames, int atLeast)
{
    const int needed = (int)(seconds * sampleRate / bufferFrames) + 1;
    return needed > atLeast ? needed : atLeast;
}
}

StreamFeeder::StreamFeeder() : _source(0), _bufferFrames(0) {}

StreamFeeder::~StreamFeeder() { Stop(); }

Result StreamFeeder::Start(const std::string& path, unsigned int source, unsigned int bufferFrames,
                           int bufferCount, bool looping)
{
    Stop();
    const Result opened = _decoder.Open(path);
    if (opened != RESULT_OK)
    {
        return opened;
    }
    _source = source;
    _bufferFrames = bufferFrames;
    _pcm.resize((size_t)bufferFrames * _decoder.GetChannels());

    _buffers.resize(BufferCountCovering(kMinimumQueuedSeconds, _decoder.GetSampleRate(), bufferFrames, bufferCount));
    alGenBuffers((ALsizei)_buffers.size(), _buffers.data());
    for (size_t i = 0; i < _buffers.size(); ++i)
    {
        if (!Fill(_buffers[i], looping))
        {
            break;
        }
        alSourceQueueBuffers(_source, 1, &_buffers[i]);
    }
    return RESULT_OK;
}

bool StreamFeeder::Refill(bool looping)
{
    if (_source == 0)
    {
        return false;
    }
    ALint processed = 0;
    alGetSourcei(_source, AL_BUFFERS_PROCESSED, &processed);
    int refilled = 0;
    for (ALint i = 0; i < processed; ++i)
    {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(_source, 1, &buffer);
        if (Fill(buffer, looping))
        {
            alSourceQueueBuffers(_source, 1, &buffer);
            ++refilled;
        }
    }
    // A stopped source counts every queued buffer as played, so it has run out unless
    // something was queued just now.
    ALint state = AL_STOPPED;
    alGetSourcei(_source, AL_SOURCE_STATE, &state);
    return state != AL_STOPPED || refilled > 0;
}

void StreamFeeder::Stop()
{
    if (_source != 0)
    {
        alSourceStop(_source);
        alSourcei(_source, AL_BUFFER, 0);
        _source = 0;
    }
    if (!_buffers.empty())
    {
        alDeleteBuffers((ALsizei)_buffers.size(), _buffers.data());
        _buffers.clear();
    }
    _decoder.Close();
}

bool StreamFeeder::Fill(unsigned int buffer, bool looping)
{
    long long frames = _decoder.Read(_pcm.data(), _bufferFrames);
    if (frames == 0 && looping && _decoder.Rewind())
    {
        frames = _decoder.Read(_pcm.data(), _bufferFrames);
    }
    if (frames == 0)
    {
        return false;
    }
    const ALenum format = _decoder.GetChannels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, _pcm.data(), (ALsizei)(frames * _decoder.GetChannels() * sizeof(short)),
                 _decoder.GetSampleRate());
    return true;
}
}
