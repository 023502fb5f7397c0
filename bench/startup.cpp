// How long the window stays black at launch: the time from the window's creation to the
// first drawn start screen of the game, as the program starts it (World initialisation,
// the game manager with its textures, fonts, sounds and sea, then one frame). Each launch
// runs in a fresh process, since the engine starts once per process; the median of a few
// launches is printed with the first frame of a bare window (nothing loaded) as baseline.
// Run under a virtual X server:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_startup
#include "engine/core/World.h"
#include "engine/platform/Clock.h"
#include "engine/platform/Window.h"
#include "game/core/SkarrowGameManager.h"

#include <GL/gl.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const int kLaunches = 5;
const double kGoalMilliseconds = 300.0;

double MillisecondsSince(double start) { return (Platform::MonotonicSeconds() - start) * 1000.0; }

// One frame of the main loop, finished before the clock stops.
void DrawOneFrame()
{
    World::GetInstance()->RunFrame();
    glFinish();
}

// The start screen is an opaque parchment over the white clear colour.
bool StartScreenIsDrawn()
{
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadBuffer(GL_FRONT);
    glReadPixels(512, 384, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return !(pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255);
}

int LaunchGame()
{
    if (chdir(ZARVO_SOURCE_DIR) != 0 || !World::GetInstance()->Initialize("Zarvo Engine", false, false, false))
        return 1;
    const double windowCreated = World::GetInstance()->GetWindowCreatedSeconds();
    const double initialised = MillisecondsSince(windowCreated);
    World::GetInstance()->SetGameManager(SkarrowGameManager::GetInstance());
    const double built = MillisecondsSince(windowCreated);
    DrawOneFrame();
    const double drawn = MillisecondsSince(windowCreated);
    if (!StartScreenIsDrawn())
    {
        std::printf("the first frame shows no start screen\n");
        return 1;
    }
    std::printf("%.1f %.1f %.1f\n", drawn, initialised, built - initialised);
    std::fflush(stdout);
    // The timing is taken; skip the orderly shutdown.
    std::_Exit(0);
}

int LaunchBareWindow()
{
    Window window;
    if (!window.Open("Zarvo Engine", 1024, 768, false, false, false))
        return 1;
    const double windowCreated = Platform::MonotonicSeconds();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    window.SwapBuffers();
    glFinish();
    std::printf("%.1f 0 0\n", MillisecondsSince(windowCreated));
    std::fflush(stdout);
    std::_Exit(0);
}

struct Launch
{
    double drawn;
    double engine;
    double game;
};

// Runs this program again in the given mode; false when the launch failed.
bool RunLaunch(const char* self, const char* mode, Launch& launch)
{
    // The engine's start-up chatter (controllers, audio devices) would bury the figures.
    std::string command = std::string("'") + self + "' " + mode + " 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (child == 0)
        return false;
    char line[256] = {0};
    bool read = std::fgets(line, sizeof(line), child) != 0;
    int status = pclose(child);
    if (!read || status != 0 || std::sscanf(line, "%lf %lf %lf", &launch.drawn, &launch.engine, &launch.game) != 3)
    {
        std::printf("%s launch failed: %s\n", mode, read ? line : "no output");
        return false;
    }
    return true;
}

bool MedianOfLaunches(const char* self, const char* mode, Launch& median)
{
    std::vector<Launch> launches;
    for (int i = 0; i < kLaunches; ++i)
    {
        Launch launch;
        if (!RunLaunch(self, mode, launch))
            return false;
        launches.push_back(launch);
    }
    std::sort(launches.begin(), launches.end(), [](const Launch& a, const Launch& b) { return a.drawn < b.drawn; });
    median = launches[launches.size() / 2];
    return true;
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--game") == 0)
        return LaunchGame();
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return LaunchBareWindow();

    const char* self = "/proc/self/exe";
    char path[4096] = {0};
    ssize_t length = readlink(self, path, sizeof(path) - 1);
    if (length > 0)
        self = path;

    Launch bare;
    Launch game;
    if (!MedianOfLaunches(self, "--bare", bare) || !MedianOfLaunches(self, "--game", game))
        return 1;
    std::printf("Window creation to first drawn frame, median of %d launches:\n", kLaunches);
    // Other work on the machine stretches every figure; the baseline shows by how much.
    FILE* loadFile = std::fopen("/proc/loadavg", "r");
    double load = 0.0;
    if (loadFile != 0 && std::fscanf(loadFile, "%lf", &load) == 1)
        std::printf("  (load average %.1f on %ld processors)\n", load, sysconf(_SC_NPROCESSORS_ONLN));
    if (loadFile != 0)
        std::fclose(loadFile);
    std::printf("  bare window (baseline)     %7.1f ms\n", bare.drawn);
    std::printf("  game start screen          %7.1f ms  (goal < %.0f ms)  %.1f x baseline\n", game.drawn,
                kGoalMilliseconds, game.drawn / std::max(bare.drawn, 0.1));
    std::printf("    rest of the engine start %7.1f ms\n", game.engine);
    std::printf("    game manager             %7.1f ms\n", game.game);
    std::printf("    first frame              %7.1f ms\n", game.drawn - game.engine - game.game);
    return 0;
}
