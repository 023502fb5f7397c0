// Stress run of the sound layer, for minutes and not in CI: thousands of samples and streams
// loaded, started, stopped, paused, released and played to their end in random order, with end
// callbacks that start and stop other sounds. A watchdog ends the run, naming the step it was
// in, when a step stops making progress.
//
//   bench_sound_stress [seconds per output] [null|wave]
// Without an output it runs itself once per output (the mixer reads its configuration once
// per process). Prints the figures of each run.
#include "engine/platform/sound/ChannelControl.h"
#include "engine/platform/sound/Sound.h"
#include "engine/platform/sound/SoundSystem.h"

#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

using namespace SoundLib;

namespace
{
const double kStallSeconds = 20.0;
const size_t kMostSounds = 3000;
const int kActionsPerUpdate = 40;
const std::string kMusic = std::string(ZARVO_SOURCE_DIR) + "/Resources/Sounds/Music/Take a Chance.mp3";

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// What the run is doing, for the watchdog's report.
std::atomic<const char*> s_step("starting");
std::atomic<double> s_lastProgress(0.0);

void Progress(const char* step)
{
    s_step = step;
    s_lastProgress = Now();
}

void Watchdog()
{
    for (;;)
    {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        if (Now() - s_lastProgress > kStallSeconds)
        {
            std::fprintf(stderr, "STALL: no progress for %.0f s inside \"%s\"\n", kStallSeconds, s_step.load());
            std::abort();
        }
    }
}

// A sine tone file; frames 0 gives a valid file with no sound in it.
std::string WriteTone(const std::string& directory, long long frames, int rate, int channels, int format)
{
    const std::string path = directory + "/tone_" + std::to_string(frames) + "_" + std::to_string(rate) + "_" +
                             std::to_string(channels) + ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC ? ".flac" : ".wav");
    SF_INFO info = SF_INFO();
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<short> data((size_t)frames * channels);
    for (size_t i = 0; i < data.size(); ++i)
    {
        data[i] = (short)(8000 * std::sin(i * 0.05));
    }
    sf_writef_short(file, data.data(), frames);
    sf_close(file);
    return path;
}

std::vector<std::string> WriteSoundFiles(const std::string& directory)
{
    std::vector<std::string> files;
    const long long lengths[] = {0, 1, 64, 2205, 22050, 88200};
    for (long long frames : lengths)
    {
        files.push_back(WriteTone(directory, frames, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        files.push_back(WriteTone(directory, frames, 8000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    }
    files.push_back(WriteTone(directory, 4410, 22050, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
    files.push_back(std::string(ZARVO_SOURCE_DIR) + "/Resources/Sounds/Sfx/water_splash_003.mp3");
    files.push_back(std::string(ZARVO_SOURCE_DIR) + "/Resources/Sounds/Sfx/rumble.flac");
    files.push_back(directory + "/missing.wav");
    return files;
}

struct Figures
{
    long long actions = 0, updates = 0, loaded = 0, released = 0, started = 0, ended = 0, failures = 0;
    double slowestUpdate = 0.0;
};

class SoundStress
{
public:
    SoundStress(System* system, const std::vector<std::string>& files) : _system(system), _files(files)
    {
        s_running = this;
    }
    ~SoundStress() { s_running = 0; }

    void Run(double seconds)
    {
        const double end = Now() + seconds;
        while (Now() < end)
        {
            for (int i = 0; i < kActionsPerUpdate; ++i)
            {
                RandomAction();
            }
            Progress("System::Update");
            const double before = Now();
            Count(_system->Update());
            const double took = Now() - before;
            figures.slowestUpdate = took > figures.slowestUpdate ? took : figures.slowestUpdate;
            ++figures.updates;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    Figures figures;

private:
    void RandomAction()
    {
        ++figures.actions;
        switch (Pick(10))
        {
        case 0: Load(); break;
        case 1: Release(); break;
        case 2: case 3: case 4: Start(); break;
        case 5: Progress("StopChannel"); Count(StopChannel(AnyChannel())); break;
        case 6: Progress("SetChannelPaused"); Count(SetChannelPaused(AnyChannel(), Pick(2) == 0)); break;
        case 7: Progress("SetChannelVolume"); Count(SetChannelVolume(AnyChannel(), (float)Pick(150) / 100.0f)); break;
        case 8: Progress("SetChannelPan"); Count(SetChannelPan(AnyChannel(), (float)Pick(300) / 100.0f - 1.5f)); break;
        default: Progress("SetChannelLoopMode"); Count(SetChannelLoopMode(AnyChannel(), Pick(8) == 0 ? LOOPMODE_NORMAL : LOOPMODE_OFF)); break;
        }
    }

    void Load()
    {
        if (_sounds.size() >= kMostSounds)
        {
            return;
        }
        Progress("System::CreateSound");
        Sound* sound = 0;
        // Music is only ever streamed: decoding it whole would take most of the run.
        const bool stream = Pick(3) == 0;
        const std::string& file = stream && Pick(4) == 0 ? kMusic : _files[Pick(_files.size())];
        Count(_system->CreateSound(file.c_str(), stream ? SOUNDMODE_STREAM : SOUNDMODE_SAMPLE, &sound));
        if (sound != 0)
        {
            _sounds.push_back(sound);
            ++figures.loaded;
        }
    }

    void Release()
    {
        if (_sounds.empty())
        {
            return;
        }
        Progress("Sound::Release");
        const size_t index = Pick(_sounds.size());
        Count(_sounds[index]->Release());
        _sounds[index] = _sounds.back();
        _sounds.pop_back();
        ++figures.released;
    }

    void Start()
    {
        if (_sounds.empty())
        {
            return;
        }
        Progress("System::PlaySound");
        Channel* channel = 0;
        Count(_system->PlaySound(_sounds[Pick(_sounds.size())], Pick(4) == 0, &channel));
        if (channel == 0)
        {
            return;
        }
        ++figures.started;
        Count(SetChannelCallback(channel, OnEnd));
        if (_channels.size() < 4096)
        {
            _channels.push_back(channel);
        }
        else
        {
            _channels[Pick(_channels.size())] = channel;
        }
    }

    // Any handle ever handed out: playing, ended, stopped or given to another sound since.
    Channel* AnyChannel() { return _channels.empty() ? 0 : _channels[Pick(_channels.size())]; }

    static Result OnEnd(Channel* channel, ChannelCallbackType)
    {
        SoundStress* stress = s_running;
        ++stress->figures.ended;
        Progress("end callback");
        // The ended handle must be harmless now; then start one sound and stop another.
        stress->Count(SetChannelVolume(channel, 0.5f));
        stress->Start();
        stress->Count(StopChannel(stress->AnyChannel()));
        return RESULT_OK;
    }

    size_t Pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(_random); }

    // Stale handles and refused channels are expected; anything else is counted as a failure.
    void Count(Result result)
    {
        if (result != RESULT_OK && result != RESULT_ERR_CHANNEL_STOLEN && result != RESULT_ERR_INVALID_HANDLE &&
            result != RESULT_ERR_CHANNEL_ALLOC && result != RESULT_ERR_FILE_NOT_FOUND && result != RESULT_ERR_FORMAT)
        {
            ++figures.failures;
        }
    }

    static SoundStress* s_running;
    System* _system;
    std::vector<std::string> _files;
    std::vector<Sound*> _sounds;
    std::vector<Channel*> _channels;
    std::mt19937 _random{20240611};
};

SoundStress* SoundStress::s_running = 0;

int RunOneOutput(double seconds, const std::string& output)
{
    char pattern[] = "/tmp/zarvo-sound-stress-XXXXXX";
    const std::string directory = mkdtemp(pattern);
    if (output == "wave")
    {
        const std::string conf = directory + "/wave.conf";
        FILE* file = std::fopen(conf.c_str(), "w");
        std::fprintf(file, "[general]\ndrivers = wave\n[wave]\nfile = %s/out.wav\n", directory.c_str());
        std::fclose(file);
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
    }
    else
    {
        setenv("ALSOFT_DRIVERS", "null", 1);
    }

    Progress("System::Init");
    std::thread(Watchdog).detach();
    System* system = 0;
    System::Create(&system);
    if (system->Init(1024, INITFLAGS_NORMAL) != RESULT_OK)
    {
        std::fprintf(stderr, "the %s output did not start\n", output.c_str());
        return 1;
    }
    Figures figures;
    {
        SoundStress stress(system, WriteSoundFiles(directory));
        stress.Run(seconds);
        figures = stress.figures;
    }
    Progress("System::Release");
    system->Release();
    std::printf("%-5s output, %.0f s: %lld actions, %lld updates (slowest %.1f ms), %lld sounds loaded, "
                "%lld released, %lld started, %lld ended, %lld unexpected errors\n",
                output.c_str(), seconds, figures.actions, figures.updates, figures.slowestUpdate * 1000.0,
                figures.loaded, figures.released, figures.started, figures.ended, figures.failures);
    std::system(("rm -rf '" + directory + "'").c_str());
    return figures.failures == 0 ? 0 : 1;
}
}

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 120.0;
    if (argc > 2)
    {
        return RunOneOutput(seconds, argv[2]);
    }
    int status = 0;
    for (const char* output : {"null", "wave"})
    {
        const std::string command = std::string("'") + argv[0] + "' " + std::to_string(seconds) + " " + output;
        status |= std::system(command.c_str());
    }
    return status == 0 ? 0 : 1;
}
