// The GUI toolkit's costs. Run under a virtual X server:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_gui
// 1. A canvas of 2,000 docked controls on a recording renderer: microseconds per full
//    layout pass and per render walk, against a plain recursive visit of the same tree.
// 2. The engine's GuiRenderer drawing 10,000 textured 8x8 rectangles per frame at 1280x720,
//    with its draw calls, against one draw call per rectangle.
#include "bench/support/BenchWindow.h"
#include "engine/core/World.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/TextureCache.h"
#include "engine/ui/GuiRenderer.h"
#include "gui/controls/Canvas.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/RecordingSkin.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace
{
const int kWindowWidth = 1280;
const int kWindowHeight = 720;
const int kColumns = 50;
const int kRowsPerColumn = 39;
const int kRectangles = 10000;
const char* kImage = ZARVO_SOURCE_DIR "/Resources/Images/button_normal.png";

double MicrosecondsPerRun(int runs, const std::function<void()>& run)
{
    run();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
    {
        run();
    }
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

// 50 columns docked left, each with 39 rows docked top and one filling the rest: 2,000.
int BuildTree(Gui::Controls::Canvas* canvas)
{
    int count = 0;
    for (int column = 0; column < kColumns; ++column)
    {
        Gui::Controls::Base* panel = new PanelControl(canvas);
        panel->SetWidth(kWindowWidth / kColumns);
        panel->Dock(Gui::Pos::Left);
        panel->SetPadding(Gui::Padding(1, 1, 1, 1));
        ++count;
        for (int row = 0; row < kRowsPerColumn; ++row)
        {
            Gui::Controls::Base* cell = new PanelControl(panel);
            cell->SetHeight(kWindowHeight / (kRowsPerColumn + 4));
            cell->SetMargin(Gui::Margin(0, 1, 0, 0));
            cell->Dock(row + 1 == kRowsPerColumn ? Gui::Pos::Fill : Gui::Pos::Top);
            ++count;
        }
    }
    return count;
}

int Visit(Gui::Controls::Base* control)
{
    int visited = 1;
    for (Gui::Controls::Base* child : control->GetChildren())
    {
        visited += Visit(child);
    }
    return visited;
}

void BenchControlTree()
{
    RecordingRenderer renderer;
    RecordingSkin skin(&renderer);
    Gui::Controls::Canvas canvas(&skin);
    canvas.SetSize(kWindowWidth, kWindowHeight);
    const int controls = BuildTree(&canvas);
    volatile int sink = 0;
    const double visit = MicrosecondsPerRun(2000, [&] { sink = sink + Visit(&canvas); });
    const double layout = MicrosecondsPerRun(500, [&] {
        canvas.Invalidate();
        canvas.InvalidateChildren(true);
        canvas.RecurseLayout(&skin);
    });
    const double render = MicrosecondsPerRun(500, [&] {
        renderer.Clear();
        skin.drawn.clear();
        canvas.RenderCanvas();
    });
    std::printf("Control tree of %d docked controls (recording renderer)\n", controls);
    std::printf("  %-36s %10.1f us %8.1fx\n", "plain recursive visit (baseline)", visit, 1.0);
    std::printf("  %-36s %10.1f us %8.1fx\n", "full layout pass", layout, layout / visit);
    std::printf("  %-36s %10.1f us %8.1fx  (goal: under 2000 us)\n", "think and render walk", render, render / visit);
    std::printf("  rectangles recorded per walk: %zu\n", renderer.drawn.size());
}

bool SetUpWindow()
{
    return SetUpBenchWindow(kWindowWidth, kWindowHeight);
}

Gui::Rect Placed(int i)
{
    return Gui::Rect((i * 37) % (kWindowWidth - 8), (i * 53) % (kWindowHeight - 8), 8, 8);
}

void Frame(const std::function<void()>& draw)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    World::GetInstance()->GetWindow().SwapBuffers();
    glFinish();
}

void BenchGuiRenderer()
{
    if (!SetUpWindow())
    {
        std::printf("No window: GuiRenderer not measured\n");
        return;
    }
    GuiRenderer renderer(kImage);
    Gui::Texture texture;
    texture.Load(kImage, &renderer);
    const int texture_id = GetTextureReference(kImage);
    const double batched = MicrosecondsPerRun(100, [&] {
        Frame([&] {
            renderer.Begin();
            for (int i = 0; i < kRectangles; ++i)
            {
                renderer.DrawTexturedRect(&texture, Placed(i));
            }
            renderer.End();
        });
    });
    const int drawCalls = renderer.GetDrawCallCount();
    // The same picture with one draw call per rectangle.
    const double single = MicrosecondsPerRun(100, [&] {
        Frame([&] {
            renderer.Begin();
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture_id);
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            const float uvs[12] = {0, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1};
            glTexCoordPointer(2, GL_FLOAT, 0, uvs);
            for (int i = 0; i < kRectangles; ++i)
            {
                const Gui::Rect r = Placed(i);
                const float x = (float)r.x, y = (float)r.y, w = (float)r.w, h = (float)r.h;
                const float vertices[12] = {x, y + h, x + w, y, x, y, x, y + h, x + w, y + h, x + w, y};
                glVertexPointer(2, GL_FLOAT, 0, vertices);
                glDrawArrays(GL_TRIANGLES, 0, 6);
            }
            renderer.End();
        });
    });
    texture.Release(&renderer);
    std::printf("GuiRenderer, %d textured 8x8 rectangles per frame at %dx%d\n", kRectangles, kWindowWidth, kWindowHeight);
    std::printf("  %-36s %10.2f ms %8.1fx\n", "one draw call per rectangle (baseline)", single / 1000.0, 1.0);
    std::printf("  %-36s %10.2f ms %8.1fx  draw calls per frame: %d (%d vertices each at most)\n",
                "batched", batched / 1000.0, single / batched, drawCalls, 1023);
}
}

int main()
{
    BenchControlTree();
    BenchGuiRenderer();
    return 0;
}
