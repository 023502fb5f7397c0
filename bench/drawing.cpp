// Frame cost of drawing many actors at 1280x720: textured sprites of two sizes, text actors
// whose strings change every frame, and a turning scene with sprites across the window's
// edge. Run under a virtual X server:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_drawing
// A frame here is the main loop's work without the frame limiter's sleep: clear, tick,
// render and buffer swap, with the drawing finished before the clock stops.
//
// The compared scenes are those of the side-by-side script (bench/side_by_side.sh): sprites
// axis-aligned and wholly inside the window, texts inside it. Each scene prints the median
// frame of ours, the median frame of a raw floor (the same picture drawn straight through
// OpenGL with one draw, under the same state: the camera's projection and view, depth test,
// clamped linear textures, blending; for text, the same glyph quads from the font's glyph
// table) measured in the same program, and ours / raw.
//
// Arguments pick scenes by part of their names ("32-pixel", "2-pixel", "text", "turning");
// none runs all. "--frames N" measures N frames (300 by default); "--pictures DIR" writes
// one full-frame read of each scene into DIR, as raw RGBA rows, bottom row first, to
// compare the pictures of two builds.
#include "engine/actors/Actor.h"
#include "engine/actors/TextActor.h"
#include "bench/support/BenchWindow.h"
#include "engine/core/World.h"
#include "engine/math/MathUtil.h"
#include "engine/platform/Window.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontGlyphs.h"
#include "engine/rendering/FontRegistry.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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
const int kTextPointSize = 14;
// The strings the text scene shows in its picture: those of this frame.
const int kPictureFrame = 1000;

struct Options
{
    std::vector<std::string> Words;
    int Frames = 300;
    std::string PictureDirectory;
};

// A sprite with an opaque disc on a transparent ground, written where the run can find
// it: the benchmark brings no image of its own.
std::string WriteSpriteImage(int size)
{
    std::vector<unsigned char> pixels(size * size * 4);
    const float half = size * 0.5f;
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const float dx = x + 0.5f - half;
            const float dy = y + 0.5f - half;
            const bool inside = dx * dx + dy * dy < half * half;
            unsigned char* p = &pixels[(y * size + x) * 4];
            p[0] = static_cast<unsigned char>(255 * x / size);
            p[1] = static_cast<unsigned char>(255 * y / size);
            p[2] = 128;
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

void RemoveSpriteImage(const std::string& path)
{
    unlink(path.c_str());
    rmdir(path.substr(0, path.rfind('/')).c_str());
}

// The world point under a window pixel (origin top left) of the unturned camera at the origin.
Vector2 WorldAtPixel(float x, float y)
{
    return Vector2(MathUtil::PixelsToWorldUnits(x - kWindowWidth * 0.5f),
                   MathUtil::PixelsToWorldUnits(kWindowHeight * 0.5f - y));
}

// A sprite's corners in world units, in the order of the unit square's strip.
struct Quad
{
    Vector2 Corners[4];
};

Quad PlacedQuad(const Actor& actor)
{
    static const float kUnit[] = {-0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, -0.5f};
    const float radians = actor.GetRotation() * MathUtil::Pi / 180.0f;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    Quad quad;
    for (int i = 0; i < 4; ++i)
    {
        const float x = kUnit[i * 2] * actor.GetSize().X;
        const float y = kUnit[i * 2 + 1] * actor.GetSize().Y;
        quad.Corners[i] = actor.GetPosition() + Vector2(c * x - s * y, s * x + c * y);
    }
    return quad;
}

// One draw of textured squares, as little as OpenGL needs to put the picture up.
class RawSquares
{
public:
    void Add(const Quad& quad)
    {
        static const float kUVs[] = {0, 1, 0, 0, 1, 1, 1, 0};
        const unsigned int first = static_cast<unsigned int>(_vertices.size() / 4);
        for (int i = 0; i < 4; ++i)
        {
            _vertices.insert(_vertices.end(), {quad.Corners[i].X, quad.Corners[i].Y, kUVs[i * 2],
                                               kUVs[i * 2 + 1]});
        }
        for (unsigned int corner : {0u, 1u, 2u, 2u, 1u, 3u})
        {
            _indices.push_back(first + corner);
        }
    }

    void Draw(GLenum mode, int texture) const
    {
        if (_vertices.empty())
        {
            return;
        }
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), &_vertices[0]);
        glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), &_vertices[2]);
        if (mode == GL_QUADS)
        {
            glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(_vertices.size() / 4));
        }
        else
        {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(_indices.size()), GL_UNSIGNED_INT,
                           _indices.data());
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_TEXTURE_2D);
    }

    // Quads for GL_QUADS drawing: corners in drawing order, no indices needed.
    void AddQuadInOrder(const float corners[8], const float uvs[8])
    {
        for (int i = 0; i < 4; ++i)
        {
            _vertices.insert(_vertices.end(),
                             {corners[i * 2], corners[i * 2 + 1], uvs[i * 2], uvs[i * 2 + 1]});
        }
    }

private:
    std::vector<float> _vertices;
    std::vector<unsigned int> _indices;
};

double Median(std::vector<double> values)
{
    if (values.empty())
    {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs frames and returns the median in milliseconds; frame draws one whole frame.
double MeasureFrames(int frames, const std::function<void(int)>& frame)
{
    std::vector<double> measured;
    for (int i = 0; i < kWarmUpFrames + frames; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        frame(i);
        glFinish();
        Window::PollEvents();
        const auto end = std::chrono::steady_clock::now();
        if (i >= kWarmUpFrames)
        {
            measured.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    return Median(measured);
}

double MeasureOurs(int frames, const std::function<void(int)>& perFrame)
{
    return MeasureFrames(frames, [&perFrame](int frame) {
        if (perFrame)
        {
            perFrame(frame);
        }
        World::GetInstance()->RunFrame();
    });
}

// Clear, the raw drawing inside the camera's projection and view, swap.
double MeasureRaw(int frames, const std::function<void()>& draw)
{
    return MeasureFrames(frames, [&draw](int) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        Camera::GetInstance()->Render();
        draw();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        World::GetInstance()->GetWindow().SwapBuffers();
    });
}

void PrintRow(const std::string& scene, double ours, double raw)
{
    std::printf("%-52s %9.2f %9.2f %8.2f\n", scene.c_str(), ours, raw, raw > 0.0 ? ours / raw : 0.0);
    std::fflush(stdout);
}

// True when no scene was asked for, or when a word given on the command line is in its name.
bool Wanted(const Options& options, const std::string& scene)
{
    if (options.Words.empty())
    {
        return true;
    }
    for (const std::string& word : options.Words)
    {
        if (scene.find(word) != std::string::npos)
        {
            return true;
        }
    }
    return false;
}

// The scene's picture, drawn with the simulation held so nothing moves on.
void WritePicture(const Options& options, const std::string& name)
{
    if (options.PictureDirectory.empty())
    {
        return;
    }
    World* world = World::GetInstance();
    world->PauseSimulation();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    world->Tick(false);
    world->Render();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glFinish();
    std::vector<unsigned char> pixels(kWindowWidth * kWindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    world->GetWindow().SwapBuffers();
    world->ResumeSimulation();
    const std::string path = options.PictureDirectory + "/" + name + ".rgba";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != 0)
    {
        std::fwrite(pixels.data(), 1, pixels.size(), file);
        std::fclose(file);
    }
}

// Same random numbers in every run, so two builds draw the same scenes.
void SeedScene(unsigned int seed)
{
    MathUtil::RandomInt(2);
    std::srand(seed);
}

struct SpriteScene
{
    const char* Name;
    const char* PictureName;
    int Count;
    int PixelSize;
    bool Turning;
};

std::vector<Actor*> AddSprites(const SpriteScene& scene, const std::string& spritePath)
{
    const float size = MathUtil::PixelsToWorldUnits(static_cast<float>(scene.PixelSize));
    const float half = scene.PixelSize * 0.5f + 1.0f;
    std::vector<Actor*> actors;
    for (int i = 0; i < scene.Count; ++i)
    {
        Actor* actor = new Actor();
        actor->SetSize(size);
        actor->SetSprite(spritePath);
        if (scene.Turning)
        {
            // Anywhere in view, so some cross the window's edge, each turning slowly as
            // moving game objects would.
            const Vector2 extent = MathUtil::GetWorldDimensions() * 0.5f;
            actor->SetPosition(MathUtil::RandomFloatInRange(-extent.X, extent.X),
                               MathUtil::RandomFloatInRange(-extent.Y, extent.Y));
            actor->SetRotation(static_cast<float>((i * 37) % 360));
            actor->RotateTo(actor->GetRotation() + 360.0f, 60.0f, false, "");
        }
        else
        {
            // Axis-aligned and wholly inside the window, as the peer draws its sprites.
            actor->SetPosition(WorldAtPixel(MathUtil::RandomFloatInRange(half, kWindowWidth - half),
                                            MathUtil::RandomFloatInRange(half, kWindowHeight - half)));
        }
        World::GetInstance()->Add(actor, i % 4);
        actors.push_back(actor);
    }
    return actors;
}

void RunSpriteScene(const Options& options, const SpriteScene& scene)
{
    if (!Wanted(options, scene.Name))
    {
        return;
    }
    SeedScene(static_cast<unsigned int>(scene.Count + scene.PixelSize));
    const std::string spritePath = WriteSpriteImage(std::max(scene.PixelSize, 2));
    const std::vector<Actor*> actors = AddSprites(scene, spritePath);
    const double ours = MeasureOurs(options.Frames, nullptr);

    // The floor draws the squares where they stand after the measured frames, in the order
    // the layers draw them.
    RawSquares raw;
    for (int layer = 0; layer < 4; ++layer)
    {
        for (size_t i = layer; i < actors.size(); i += 4)
        {
            raw.Add(PlacedQuad(*actors[i]));
        }
    }
    const int texture = actors.empty() ? 0 : actors[0]->GetSpriteTexture();
    const double floor = MeasureRaw(options.Frames, [&raw, texture]() {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        raw.Draw(GL_TRIANGLES, texture);
    });
    PrintRow(scene.Name, ours, floor);

    for (size_t i = 0; scene.Turning && i < actors.size(); ++i)
    {
        actors[i]->SetRotation(static_cast<float>((i * 37) % 360) + 0.5f * static_cast<float>(i % 7));
    }
    WritePicture(options, scene.PictureName);
    World::GetInstance()->UnloadAll();
    RemoveSpriteImage(spritePath);
}

std::string ScoreText(int frame, int index) { return "Score: " + std::to_string(frame + index); }

// The glyph quads of every string, rebuilt from the font's glyph table each frame as the
// strings change, drawn in one draw under the screen text's projection with the depth test off.
double MeasureRawText(const Options& options, const std::vector<Vector2>& anchors)
{
    FontGlyphs* glyphs = FindFontGlyphs("Bench");
    if (glyphs == 0)
    {
        return 0.0;
    }
    const unsigned int texture = glyphs->Find('0')->Texture;
    int frame = 0;
    return MeasureRaw(options.Frames, [&]() {
        RawSquares raw;
        for (size_t i = 0; i < anchors.size(); ++i)
        {
            const std::string text = ScoreText(frame, static_cast<int>(i));
            float penX = static_cast<float>(static_cast<int>(anchors[i].X));
            const float penY = static_cast<float>(kWindowHeight - static_cast<int>(anchors[i].Y));
            for (char c : text)
            {
                const GlyphQuad& glyph = *glyphs->Find(c);
                const float x0 = std::floor(penX) + glyph.Left;
                const float x1 = x0 + glyph.Right - glyph.Left;
                const float y0 = penY + glyph.Bottom;
                const float y1 = penY + glyph.Top;
                const float corners[] = {x0, y1, x0, y0, x1, y0, x1, y1};
                const float uvs[] = {glyph.U0, glyph.V0, glyph.U0, glyph.V1, glyph.U1, glyph.V1, glyph.U1, glyph.V0};
                raw.AddQuadInOrder(corners, uvs);
                penX += static_cast<float>(glyph.AdvanceX);
            }
        }
        ++frame;
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, kWindowWidth, 0.0, kWindowHeight, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        raw.Draw(GL_QUADS, static_cast<int>(texture));
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    });
}

void RunTextScene(const Options& options, const char* scene, int count)
{
    if (!Wanted(options, scene))
    {
        return;
    }
    SeedScene(static_cast<unsigned int>(count));
    std::vector<TextActor*> texts;
    std::vector<Vector2> anchors;
    for (int i = 0; i < count; ++i)
    {
        // The baseline's start, so the whole string is inside the window, as the peer's.
        const Vector2 anchor(MathUtil::RandomFloatInRange(0.0f, kWindowWidth - 150.0f),
                             MathUtil::RandomFloatInRange(16.0f, kWindowHeight - 6.0f));
        TextActor* text = new TextActor("Bench", ScoreText(0, i), TXT_Left, 5);
        text->SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        text->SetPosition(WorldAtPixel(anchor.X, anchor.Y));
        World::GetInstance()->Add(text, 0);
        texts.push_back(text);
        anchors.push_back(anchor);
    }
    const auto changeStrings = [&texts](int frame) {
        for (size_t i = 0; i < texts.size(); ++i)
        {
            texts[i]->SetDisplayString(ScoreText(frame, static_cast<int>(i)));
        }
    };
    const double ours = MeasureOurs(options.Frames, changeStrings);
    const double floor = MeasureRawText(options, anchors);
    PrintRow(scene, ours, floor);
    changeStrings(kPictureFrame);
    WritePicture(options, "text");
    World::GetInstance()->UnloadAll();
}

void RunEmptyScene(const Options& options, const char* scene)
{
    if (!Wanted(options, scene))
    {
        return;
    }
    PrintRow(scene, MeasureOurs(options.Frames, nullptr), MeasureRaw(options.Frames, []() {}));
}

Options ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--frames" && i + 1 < argc)
        {
            options.Frames = std::max(1, std::atoi(argv[++i]));
        }
        else if (argument == "--pictures" && i + 1 < argc)
        {
            options.PictureDirectory = argv[++i];
        }
        else
        {
            options.Words.push_back(argument);
        }
    }
    return options;
}
}

int main(int argc, char** argv)
{
    const Options options = ReadOptions(argc, argv);
    if (!SetUpBenchWindow(kWindowWidth, kWindowHeight))
    {
        std::fprintf(stderr, "The window could not be opened; run under xvfb-run.\n");
        return 1;
    }
    const std::string fontPath = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";
    if (!RegisterFont(fontPath, kTextPointSize, "Bench"))
    {
        std::fprintf(stderr, "The font could not be loaded.\n");
        return 1;
    }
    // Every scene starts from the same frame state, whatever ran before it.
    World::GetInstance()->SetBackgroundColor(Color(0.1f, 0.1f, 0.15f));

    std::printf("Drawing at %dx%d on %s, median of %d frames after %d warm-up frames\n",
                kWindowWidth, kWindowHeight, reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                options.Frames, kWarmUpFrames);
    std::printf("%-52s %9s %9s %8s\n", "scene", "ours ms", "raw ms", "ours/raw");

    RunEmptyScene(options, "empty frame (clear, tick, render, swap)");
    const SpriteScene sprites[] = {
        {"10,000 textured 32-pixel sprites", "sprites32", 10000, 32, false},
        {"10,000 textured 2-pixel sprites", "sprites2", 10000, 2, false},
    };
    for (const SpriteScene& scene : sprites)
    {
        RunSpriteScene(options, scene);
    }
    RunTextScene(options, "1,000 text actors, strings changed each frame", 1000);
    RunSpriteScene(options, {"10,000 32-pixel sprites turning, some across the edge", "turning", 10000,
                             32, true});
    return 0;
}
