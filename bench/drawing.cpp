// Frame cost of drawing many actors at 1280x720: textured sprites of two sizes and text
// actors whose strings change every frame. Run under a virtual X server:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_drawing
// A frame here is the main loop's work without the frame limiter's sleep: clear, tick,
// render and buffer swap, with the drawing finished before the clock stops.
// Arguments pick scenes by part of their names ("32-pixel", "2-pixel", "text actors"); none
// runs all.
#include "engine/actors/Actor.h"
#include "engine/actors/TextActor.h"
#include "bench/support/BenchWindow.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int kWindowWidth = 1280;
const int kWindowHeight = 720;
const int kWarmUpFrames = 30;
const int kMeasuredFrames = 300;

struct FrameFigures
{
    double MillisecondsPerFrame;
    double FramesPerSecond;
};

// A 32x32 sprite with an opaque disc on a transparent ground, written where the run can
// find it: the benchmark brings no image of its own.
std::string WriteSpriteImage()
{
    const int size = 32;
    std::vector<unsigned char> pixels(size * size * 4);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const float dx = x - 15.5f;
            const float dy = y - 15.5f;
            const bool inside = dx * dx + dy * dy < 15.0f * 15.0f;
            unsigned char* p = &pixels[(y * size + x) * 4];
            p[0] = static_cast<unsigned char>(64 + x * 6);
            p[1] = static_cast<unsigned char>(64 + y * 6);
            p[2] = 160;
            p[3] = inside ? 255 : 0;
        }
    }
    char directory[] = "/tmp/zarvo-bench-XXXXXX";
    if (mkdtemp(directory) == 0)
    {
        return std::string();
    }
    const std::string path = std::string(directory) + "/sprite.png";
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(size, size, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    return saved ? path : std::string();
}

Vector2 RandomPointInView()
{
    const Vector2 half = MathUtil::GetWorldDimensions() * 0.5f;
    return Vector2(MathUtil::RandomFloatInRange(-half.X, half.X),
                   MathUtil::RandomFloatInRange(-half.Y, half.Y));
}

void AddSprites(int count, float pixelSize, const std::string& spritePath)
{
    const float size = MathUtil::PixelsToWorldUnits(pixelSize);
    for (int i = 0; i < count; ++i)
    {
        Actor* actor = new Actor();
        actor->SetSize(size);
        actor->SetPosition(RandomPointInView());
        actor->SetSprite(spritePath);
        // A slow turn keeps every actor's update busy, as moving game objects would.
        actor->RotateTo(360.0f, 60.0f, false, "");
        World::GetInstance()->Add(actor, i % 4);
    }
}

std::vector<TextActor*> AddTexts(int count)
{
    std::vector<TextActor*> texts;
    for (int i = 0; i < count; ++i)
    {
        TextActor* text = new TextActor("Console", "0", TXT_Left, 5);
        text->SetPosition(RandomPointInView());
        World::GetInstance()->Add(text, 0);
        texts.push_back(text);
    }
    return texts;
}

// Runs frames like the main loop, minus the limiter; perFrame runs before each tick.
FrameFigures MeasureFrames(const std::function<void(int)>& perFrame)
{
    World* world = World::GetInstance();
    double totalSeconds = 0.0;
    for (int frame = 0; frame < kWarmUpFrames + kMeasuredFrames; ++frame)
    {
        const auto start = std::chrono::steady_clock::now();
        if (perFrame)
        {
            perFrame(frame);
        }
        world->RunFrame();
        glFinish();
        Window::PollEvents();
        const auto end = std::chrono::steady_clock::now();
        if (frame >= kWarmUpFrames)
        {
            totalSeconds += std::chrono::duration<double>(end - start).count();
        }
    }
    const double milliseconds = totalSeconds * 1000.0 / kMeasuredFrames;
    return FrameFigures{milliseconds, 1000.0 / milliseconds};
}

void PrintRow(const char* scene, const FrameFigures& ours, double peerMilliseconds)
{
    char peer[32] = "-";
    if (peerMilliseconds > 0.0)
    {
        std::snprintf(peer, sizeof(peer), "%.1f", peerMilliseconds);
    }
    std::printf("%-46s %10.2f %10.1f %14s\n", scene, ours.MillisecondsPerFrame,
                ours.FramesPerSecond, peer);
    std::fflush(stdout);
}

bool SetUpWindow()
{
    return SetUpBenchWindow(kWindowWidth, kWindowHeight);
}

// True when no scene was asked for, or when a word given on the command line is in its name.
bool Wanted(const std::vector<std::string>& words, const std::string& scene)
{
    if (words.empty())
    {
        return true;
    }
    for (const std::string& word : words)
    {
        if (scene.find(word) != std::string::npos)
        {
            return true;
        }
    }
    return false;
}

void RunSpriteScene(const std::vector<std::string>& words, const char* scene, int count,
                    float pixelSize, const std::string& spritePath, double peerMilliseconds)
{
    if (!Wanted(words, scene))
    {
        return;
    }
    AddSprites(count, pixelSize, spritePath);
    PrintRow(scene, MeasureFrames(nullptr), peerMilliseconds);
    World::GetInstance()->UnloadAll();
}

void RunTextScene(const std::vector<std::string>& words, const char* scene, int count,
                  double peerMilliseconds)
{
    if (!Wanted(words, scene))
    {
        return;
    }
    const std::vector<TextActor*> texts = AddTexts(count);
    const FrameFigures figures = MeasureFrames([&texts](int frame) {
        for (size_t i = 0; i < texts.size(); ++i)
        {
            texts[i]->SetDisplayString("Score " + std::to_string(frame * 7 + static_cast<int>(i)));
        }
    });
    PrintRow(scene, figures, peerMilliseconds);
    World::GetInstance()->UnloadAll();
}
}

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (!SetUpWindow())
    {
        std::fprintf(stderr, "The window could not be opened; run under xvfb-run.\n");
        return 1;
    }
    const std::string spritePath = WriteSpriteImage();
    const std::string fontPath = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";
    if (spritePath.empty() || !RegisterFont(fontPath, 16, "Console"))
    {
        std::fprintf(stderr, "The sprite image or the font could not be prepared.\n");
        return 1;
    }

    std::printf("Drawing at %dx%d on %s, mean of %d frames after %d warm-up frames\n",
                kWindowWidth, kWindowHeight, reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                kMeasuredFrames, kWarmUpFrames);
    std::printf("%-46s %10s %10s %14s\n", "scene", "ms/frame", "frames/s", "best peer ms");

    // What clearing and presenting a frame costs on this machine before anything is drawn.
    RunSpriteScene(words, "empty frame (clear, tick, render, swap)", 0, 32.0f, spritePath, 0.0);
    RunSpriteScene(words, "1,000 textured 32-pixel sprite actors", 1000, 32.0f, spritePath, 0.0);
    RunSpriteScene(words, "10,000 textured 32-pixel sprite actors", 10000, 32.0f, spritePath, 26.0);
    RunSpriteScene(words, "10,000 textured 2-pixel sprite actors", 10000, 2.0f, spritePath, 8.3);
    RunTextScene(words, "1,000 text actors, strings changed each frame", 1000, 9.7);

    unlink(spritePath.c_str());
    rmdir(spritePath.substr(0, spritePath.rfind('/')).c_str());
    return 0;
}
