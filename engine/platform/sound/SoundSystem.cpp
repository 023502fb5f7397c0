#include "engine/platform/sound/SoundSystem.h"

#include "engine/platform/sound/ChannelHandle.h"
#include "engine/platform/sound/Sound.h"
#include "engine/platform/sound/SoundFileDecoder.h"
#include "engine/platform/sound/Voice.h"

#include <AL/al.h>

#include <algorithm>
#include <utility>

namespace SoundLib
{
namespace
{
const unsigned int kDefaultStreamBufferFrames = 2048;
const int kDefaultStreamBufferCount = 10;

typedef std::pair<Channel*, ChannelCallback> EndedChannel;
}

std::vector<System*> System::s_systems;
unsigned long long System::s_nextGeneration = 1;

Result System::Create(System** system)
{
    if (system == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *system = new System(s_nextGeneration);
    s_systems.push_back(*system);
    return RESULT_OK;
}

System::System(unsigned long long firstGeneration)
    : _firstGeneration(firstGeneration), _initialized(false), _speakerMode(SPEAKERMODE_STEREO),
      _streamBufferFrames(kDefaultStreamBufferFrames), _streamBufferCount(kDefaultStreamBufferCount), _nextVoice(0)
{
}

System::~System()
{
    _output.MakeCurrent();
    for (size_t i = 0; i < _voices.size(); ++i)
    {
        delete _voices[i];
    }
    for (size_t i = 0; i < _sounds.size(); ++i)
    {
        delete _sounds[i];
    }
    _output.Close();
}

Result System::GetVersion(unsigned int* version)
{
    if (version == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *version = kVersion;
    return RESULT_OK;
}

Result System::GetDriverCaps(int driver, unsigned int* caps, SpeakerMode* speakerMode)
{
    if (driver != 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    // The default output mixes in its own software and takes stereo.
    if (caps != 0)
    {
        *caps = DRIVERCAPS_NONE;
    }
    if (speakerMode != 0)
    {
        *speakerMode = SPEAKERMODE_STEREO;
    }
    return RESULT_OK;
}

Result System::SetSpeakerMode(SpeakerMode speakerMode)
{
    if (_initialized)
    {
        return RESULT_ERR_INITIALIZED;
    }
    if (speakerMode != SPEAKERMODE_MONO && speakerMode != SPEAKERMODE_STEREO)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    _speakerMode = speakerMode;
    return RESULT_OK;
}

Result System::SetDSPBufferSize(unsigned int bufferLength, int bufferCount)
{
    if (_initialized)
    {
        return RESULT_ERR_INITIALIZED;
    }
    if (bufferLength < 64 || bufferLength > 65536 || bufferCount < 2 || bufferCount > 64)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    _streamBufferFrames = bufferLength;
    _streamBufferCount = bufferCount;
    return RESULT_OK;
}

Result System::Init(int maxChannels, InitFlags /*flags*/)
{
    if (_initialized)
    {
        return RESULT_ERR_INITIALIZED;
    }
    if (maxChannels < 1 || maxChannels > kMaxChannels)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    if (_output.Open() == AudioOutput::OPENRESULT_NO_CONTEXT)
    {
        return RESULT_ERR_OUTPUT_CREATEBUFFER;
    }
    for (int i = 0; i < maxChannels; ++i)
    {
        _voices.push_back(new Voice(&_output));
    }
    _initialized = true;
    return RESULT_OK;
}

Result System::GetOutputType(OutputType* output)
{
    if (output == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    if (!_initialized)
    {
        return RESULT_ERR_UNINITIALIZED;
    }
    *output = _output.IsSilent() ? OUTPUTTYPE_NOSOUND : OUTPUTTYPE_DEVICE;
    return RESULT_OK;
}

Result System::Update()
{
    if (!_initialized)
    {
        return RESULT_ERR_UNINITIALIZED;
    }
    _output.MakeCurrent();
    std::vector<EndedChannel> ended;
    for (size_t i = 0; i < _voices.size(); ++i)
    {
        Voice* voice = _voices[i];
        if (voice->Update())
        {
            ended.push_back(EndedChannel(MakeChannelHandle((int)i, voice->GetGeneration()), voice->GetCallback()));
        }
    }
    // Only now, so a callback may start, stop or release sounds freely.
    for (size_t i = 0; i < ended.size(); ++i)
    {
        if (ended[i].second != 0)
        {
            ended[i].second(ended[i].first, CHANNELCALLBACK_END);
        }
    }
    return RESULT_OK;
}

Result System::Release()
{
    s_systems.erase(std::remove(s_systems.begin(), s_systems.end(), this), s_systems.end());
    delete this;
    return RESULT_OK;
}

Result System::CreateSound(const char* path, SoundMode mode, Sound** sound)
{
    if (sound == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *sound = 0;
    if (path == 0 || (mode != SOUNDMODE_SAMPLE && mode != SOUNDMODE_STREAM))
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    if (!_initialized)
    {
        return RESULT_ERR_UNINITIALIZED;
    }
    _output.MakeCurrent();
    return mode == SOUNDMODE_STREAM ? OpenStream(path, sound) : LoadSample(path, sound);
}

Result System::LoadSample(const std::string& path, Sound** sound)
{
    const Result decoded = _lastDecoded.Load(path);
    if (decoded != RESULT_OK)
    {
        return decoded;
    }
    const std::vector<short>& samples = _lastDecoded.GetSamples();
    const int channels = _lastDecoded.GetChannels();
    const long long frames = (long long)samples.size() / channels;

    ALuint buffer = 0;
    if (!_output.IsSilent())
    {
        alGetError();
        alGenBuffers(1, &buffer);
        const ALenum format = channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
        alBufferData(buffer, format, samples.data(), (ALsizei)(samples.size() * sizeof(short)),
                     _lastDecoded.GetSampleRate());
        if (alGetError() != AL_NO_ERROR)
        {
            alDeleteBuffers(1, &buffer);
            return RESULT_ERR_OUTPUT;
        }
    }
    *sound = new Sound(this, path, SOUNDMODE_SAMPLE, channels, _lastDecoded.GetSampleRate(), frames, buffer);
    _sounds.push_back(*sound);
    return RESULT_OK;
}

Result System::OpenStream(const std::string& path, Sound** sound)
{
    // Opened once here so a bad file fails now rather than when it is played.
    SoundFileDecoder decoder;
    const Result opened = decoder.Open(path);
    if (opened != RESULT_OK)
    {
        return opened;
    }
    *sound = new Sound(this, path, SOUNDMODE_STREAM, decoder.GetChannels(), decoder.GetSampleRate(),
                       decoder.GetFrames(), 0);
    _sounds.push_back(*sound);
    return RESULT_OK;
}

Result System::PlaySound(Sound* sound, bool paused, Channel** channel)
{
    if (channel == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    *channel = 0;
    if (!_initialized)
    {
        return RESULT_ERR_UNINITIALIZED;
    }
    if (sound == 0)
    {
        return RESULT_ERR_INVALID_PARAM;
    }
    if (std::find(_sounds.begin(), _sounds.end(), sound) == _sounds.end())
    {
        return RESULT_ERR_INVALID_HANDLE;
    }
    const int index = FindFreeVoice();
    if (index < 0)
    {
        return RESULT_ERR_CHANNEL_ALLOC;
    }
    _output.MakeCurrent();
    const unsigned long long generation = s_nextGeneration++;
    const Result started =
        _voices[index]->Start(sound, generation, paused, _streamBufferFrames, _streamBufferCount);
    if (started != RESULT_OK)
    {
        return started;
    }
    *channel = MakeChannelHandle(index, generation);
    return RESULT_OK;
}

int System::FindFreeVoice()
{
    // Round robin, so the slot of a sound that just ended is the last to be given out
    // again and its handle stays harmless for as long as possible.
    const int count = (int)_voices.size();
    for (int step = 0; step < count; ++step)
    {
        const int index = (_nextVoice + step) % count;
        if (!_voices[index]->IsActive())
        {
            _nextVoice = (index + 1) % count;
            return index;
        }
    }
    return -1;
}

Result System::ReleaseSound(Sound* sound)
{
    std::vector<Sound*>::iterator found = std::find(_sounds.begin(), _sounds.end(), sound);
    if (found == _sounds.end())
    {
        return RESULT_ERR_INVALID_HANDLE;
    }
    _output.MakeCurrent();
    StopVoicesPlaying(sound);
    _sounds.erase(found);
    delete sound;
    return RESULT_OK;
}

void System::StopVoicesPlaying(Sound* sound)
{
    for (size_t i = 0; i < _voices.size(); ++i)
    {
        if (_voices[i]->GetSound() == sound)
        {
            _voices[i]->Stop();
        }
    }
}

Result System::FindVoice(Channel* channel, Voice** voice)
{
    *voice = 0;
    if (channel == 0)
    {
        return RESULT_ERR_INVALID_HANDLE;
    }
    const unsigned long long generation = GetChannelHandleGeneration(channel);
    const int index = GetChannelHandleIndex(channel);
    // Generations are unique across systems, so at most one slot anywhere matches.
    bool givenToAnother = false;
    for (size_t i = 0; i < s_systems.size(); ++i)
    {
        System* system = s_systems[i];
        if (index >= (int)system->_voices.size())
        {
            continue;
        }
        Voice* candidate = system->_voices[index];
        if (candidate->GetGeneration() == generation)
        {
            system->_output.MakeCurrent();
            *voice = candidate;
            return RESULT_OK;
        }
        givenToAnother = givenToAnother ||
                         (system->_firstGeneration <= generation && candidate->GetGeneration() > generation);
    }
    return givenToAnother ? RESULT_ERR_CHANNEL_STOLEN : RESULT_ERR_INVALID_HANDLE;
}
}
