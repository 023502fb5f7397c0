// Any bytes as text, measured and drawn every way the engine hands text to the font library:
// the font registry's measurements and screen text (unturned through the text batch, turned
// and in the caller's projection through the font library), a run of screen text, a text
// actor's layout and drawing at any position the input's first bytes give, and the toolkit's
// text through its renderer. The captured glyphs and the font library must measure alike,
// drawn text must measure as it was measured, and drawing must leave no OpenGL error.
#include "FuzzSupport.h"

#include "engine/actors/TextActor.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextBatch.h"
#include "engine/ui/GuiRenderer.h"
#include "gui/TextConversion.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
const char* const kFontFile = "Resources/Fonts/Inconsolata.otf";
const char* const kSkinFile = "Resources/Images/DefaultSkin.png";
const char* const kFont = "Text";

GuiRenderer* SetUp()
{
    EnterScratchDirectory();
    TrapRawControlBytesInLog();
    CopyFromSource(kFontFile);
    CopyFromSource(kSkinFile);
    OpenWorldWindow();
    Require(RegisterFont(kFontFile, 18, kFont), "the font did not load");
    return new GuiRenderer(kSkinFile);
}

void Measure(const String& text)
{
    const Vector2 extents = GetTextExtents(text, kFont);
    TextBatch::SetEnabled(false);
    Require(GetTextExtents(text, kFont) == extents, "the captured glyphs and the font library measure otherwise");
    TextBatch::SetEnabled(true);
    Vector2 lower;
    Vector2 upper;
    GetTextBounds(text, kFont, lower, upper);
    Require(upper - lower == extents, "the bounds and the extents differ");
    Require(std::isfinite(GetTextAdvance(text, kFont)), "the advance is no number");

    Require(DrawScreenText(text, kFont, 10, 400) == extents, "drawn text measured otherwise");
    DrawScreenTextColored(text, kFont, 500, 400, 30.0f, Color(0.0f, 0.0f, 1.0f, 0.5f));
    DrawTextRaw(text, kFont, 10, 600);
    ScreenTextRun run(kFont);
    run.Draw(text, 10, 200);
}

// At a position and turn made of the input's first bytes, so far-off and broken numbers come.
void DrawAsActor(const String& text, const uint8_t* data, size_t size)
{
    float position[2] = {0.0f, 0.0f};
    std::memcpy(position, data, std::min(size, sizeof(position)));
    TextActor actor(kFont, text, static_cast<TextAlignment>(size > 0 ? data[0] % 4 : 0));
    actor.SetPosition(position[0], position[1]);
    actor.Render();
    actor.SetRotation(size > 1 ? data[1] : 0.0f);
    actor.Render();
}

void DrawWithToolkit(GuiRenderer& renderer, const String& text)
{
    static Gui::Font font;
    font.facename = Gui::NarrowToWide(kFontFile);
    font.size = 14.0f;
    const std::wstring wide = Gui::NarrowToWide(text);
    renderer.Begin();
    renderer.MeasureText(&font, wide);
    renderer.RenderText(&font, Gui::Point(5, 5), wide);
    renderer.End();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static GuiRenderer* const renderer = SetUp();
    const String text(reinterpret_cast<const char*>(data), size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Measure(text);
    DrawAsActor(text, data, size);
    DrawWithToolkit(*renderer, text);
    FinishDrawing("drawing the text");
    return 0;
}
