// The engine's renderer for the GUI toolkit, drawn for real and read back: rectangles,
// textures, clipping at two scales, text through the engine's fonts, batching, shared
// textures and fonts, and the OpenGL state it leaves to the engine.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextureCache.h"
#include "engine/ui/GuiRenderer.h"
#include "support/InkWindow.h"
#include "support/PngWriter.h"
#include "support/ScratchDirectory.h"

#include <GL/gl.h>

#include <memory>
#include <vector>

namespace
{
// The OpenGL state the engine relies on between its drawings.
std::vector<long> DrawingState()
{
    std::vector<long> state;
    for (GLenum capability : {GL_TEXTURE_2D, GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE})
    {
        state.push_back(glIsEnabled(capability));
    }
    for (GLenum array : {GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
    {
        state.push_back(glIsEnabled(array));
    }
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    state.push_back(depthWrites);
    GLint value = 0;
    for (GLenum query : {GL_MATRIX_MODE, GL_TEXTURE_BINDING_2D})
    {
        glGetIntegerv(query, &value);
        state.push_back(value);
    }
    for (GLenum pointer : {GL_VERTEX_ARRAY_POINTER, GL_COLOR_ARRAY_POINTER, GL_TEXTURE_COORD_ARRAY_POINTER})
    {
        GLvoid* address = nullptr;
        glGetPointerv(pointer, &address);
        state.push_back((long)address);
    }
    return state;
}

const char* kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";

// 8 x 8 in four solid quarters: red, green on top; blue, white below.
std::vector<unsigned char> Quarters()
{
    std::vector<unsigned char> rgba;
    for (int y = 0; y < 8; ++y)
    {
        for (int x = 0; x < 8; ++x)
        {
            const bool right = x >= 4;
            const bool bottom = y >= 4;
            const unsigned char r = (!bottom && !right) || (bottom && right) ? 255 : 0;
            const unsigned char g = (!bottom && right) || (bottom && right) ? 255 : 0;
            const unsigned char b = bottom ? 255 : 0;
            rgba.insert(rgba.end(), {r, g, b, 255});
        }
    }
    return rgba;
}

class GuiRendererTest : public InkWindow
{
protected:
    void SetUp() override
    {
        InkWindow::SetUp();
        ASSERT_TRUE(WritePng("quarters.png", 8, 8, Quarters()));
        renderer.reset(new GuiRenderer("quarters.png"));
        ClearWindow();
        renderer->Begin();
    }

    // Ends the toolkit's frame and reads the window.
    void Finish()
    {
        renderer->End();
        glFinish();
        Capture();
    }

    Gui::Texture Loaded(const char* file)
    {
        Gui::Texture texture;
        texture.Load(file, renderer.get());
        return texture;
    }

    ScratchDirectory scratch;
    std::unique_ptr<GuiRenderer> renderer;
};
}

TEST_F(GuiRendererTest, FilledAndTexturedRectanglesLandWhereTheyShould)
{
    Gui::Texture texture = Loaded("quarters.png");
    EXPECT_EQ(8, texture.width);
    renderer->SetDrawColor(Gui::Color(255, 0, 0, 255));
    renderer->DrawFilledRect(Gui::Rect(10, 10, 20, 20));
    renderer->SetDrawColor(Gui::Colors::White);
    renderer->DrawTexturedRect(&texture, Gui::Rect(100, 100, 80, 80));
    // A missing texture draws a red block.
    Gui::Texture missing = Loaded("nowhere.png");
    EXPECT_TRUE(missing.failed);
    renderer->DrawTexturedRect(&missing, Gui::Rect(300, 10, 10, 10));
    Finish();
    EXPECT_EQ(3, renderer->GetDrawCallCount());

    EXPECT_TRUE(RegionIs(10, 10, 30, 30, 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(31, 20), 255, 255, 255));
    EXPECT_TRUE(IsColor(ReadPixel(120, 120), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(160, 120), 0, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(120, 160), 0, 0, 255));
    EXPECT_TRUE(IsColor(ReadPixel(160, 160), 255, 255, 255));
    EXPECT_TRUE(RegionIs(300, 10, 310, 20, 255, 0, 0));
    texture.Release(renderer.get());
}

TEST_F(GuiRendererTest, TheScissorFollowsTheClipAtAnyScale)
{
    renderer->SetDrawColor(Gui::Color(0, 0, 255, 255));
    renderer->SetClipRegion(Gui::Rect(20, 30, 40, 50));
    renderer->StartClip();
    renderer->DrawFilledRect(Gui::Rect(0, 0, 500, 500));
    renderer->EndClip();

    renderer->SetScale(2.0f);
    renderer->SetClipRegion(Gui::Rect(200, 30, 40, 50));
    renderer->StartClip();
    renderer->DrawFilledRect(Gui::Rect(0, 0, 500, 500));
    renderer->EndClip();
    Finish();

    EXPECT_EQ(CountPixels(0, 0, 1024, 300, 0, 0, 255), 40 * 50 + 80 * 100);
    EXPECT_TRUE(RegionIs(20, 30, 60, 80, 0, 0, 255));
    EXPECT_TRUE(RegionIs(400, 60, 480, 160, 0, 0, 255));
}

TEST_F(GuiRendererTest, TheBatchIsDrawnWhenItHolds1023Vertices)
{
    renderer->SetDrawColor(Gui::Color(0, 128, 0, 255));
    for (int i = 0; i < 170; ++i)
    {
        renderer->DrawFilledRect(Gui::Rect(i * 2, 0, 2, 2));
    }
    EXPECT_EQ(0, renderer->GetDrawCallCount());
    renderer->DrawFilledRect(Gui::Rect(340, 0, 2, 2));
    EXPECT_EQ(1, renderer->GetDrawCallCount());
    Finish();
    EXPECT_EQ(2, renderer->GetDrawCallCount());
    EXPECT_TRUE(RegionIs(0, 0, 342, 2, 0, 128, 0));
}

TEST_F(GuiRendererTest, TextIsDrawnAndMeasuredWithTheEngineFonts)
{
    Gui::Font font;
    font.facename = Gui::NarrowToWide(kFontFile);
    font.size = 20.0f;
    // An "F" starts right of the pen.
    const std::string text = "First window";
    const Gui::Point size = renderer->MeasureText(&font, text);
    ASSERT_NE(nullptr, font.data);
    renderer->SetDrawColor(Gui::Colors::Black);
    renderer->RenderText(&font, Gui::Point(100, 200), text);
    Finish();

    const Box ink = InkBox();
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR(100, ink.Left, 3);
    // The position is the text's top left: capitals reach close to it.
    EXPECT_GE(ink.Top, 200);
    EXPECT_LE(ink.Top, 206);
    // The measured width holds the text drawn from the position, its last glyph whole, so a
    // control clipped to that size shows all of it.
    EXPECT_LE(ink.Right + 1, 100 + size.x);
    EXPECT_NEAR(size.x, ink.Right + 1 - 100, 2);
    renderer->FreeFont(&font);
}

// A font or texture goes back to the engine only when its last toolkit user lets go, and
// never when the engine had it first.
TEST_F(GuiRendererTest, FontsAndTexturesAreSharedAndCounted)
{
    Gui::Font first;
    first.facename = Gui::NarrowToWide(kFontFile);
    Gui::Font second = first;
    renderer->LoadFont(&first);
    renderer->LoadFont(&second);
    renderer->FreeFont(&first);
    EXPECT_GT(renderer->MeasureText(&second, std::string("x")).x, 0);
    EXPECT_NE(nullptr, second.data);
    renderer->FreeFont(&second);

    ASSERT_TRUE(WriteSolidPng("engine.png", 2, 2, 0, 0, 0));
    ASSERT_TRUE(WriteSolidPng("toolkit.png", 2, 2, 0, 0, 0));
    const int engineTexture = GetTextureReference("engine.png");
    Gui::Texture shared = Loaded("engine.png");
    shared.Release(renderer.get());
    EXPECT_EQ(Vec2i(2, 2), GetTextureSize("engine.png"));
    EXPECT_EQ(engineTexture, GetTextureReference("engine.png"));

    Gui::Texture a = Loaded("toolkit.png");
    Gui::Texture b = Loaded("toolkit.png");
    a.Release(renderer.get());
    EXPECT_EQ(Vec2i(2, 2), GetTextureSize("toolkit.png"));
    b.Release(renderer.get());
    EXPECT_EQ(Vec2i(0, 0), GetTextureSize("toolkit.png"));
    Finish();
}

TEST_F(GuiRendererTest, PixelQueriesStayInsideTheSkinImage)
{
    Gui::Texture skin = Loaded("quarters.png");
    const Gui::Color fallback(1, 2, 3, 4);
    EXPECT_EQ(Gui::Color(255, 0, 0, 255), renderer->GetPixelColor(&skin, 0, 0, fallback));
    EXPECT_EQ(Gui::Color(255, 255, 255, 255), renderer->GetPixelColor(&skin, 7, 7, fallback));
    // Past the right edge is outside, not the start of the next row.
    EXPECT_EQ(fallback, renderer->GetPixelColor(&skin, 8, 0, fallback));
    EXPECT_EQ(fallback, renderer->GetPixelColor(&skin, 0, 8, fallback));
    renderer->ReleaseSkinPixels();
    EXPECT_EQ(fallback, renderer->GetPixelColor(&skin, 0, 0, fallback));
    skin.Release(renderer.get());
    Finish();
}

// Whatever the toolkit switched on (texturing, clipping, its arrays, colours), the engine's
// actor drawn after it looks exactly as it does alone.
TEST_F(GuiRendererTest, TheEnginesDrawingAfterTheToolkitIsUnchanged)
{
    Finish();
    Actor* actor = new Actor();
    ASSERT_TRUE(WriteSolidPng("actor.png", 4, 4, 200, 100, 50));
    actor->SetSprite("actor.png");
    actor->SetSize(4.0f);
    actor->SetColor(0.5f, 1.0f, 1.0f, 0.8f);
    World::GetInstance()->Add(actor);

    auto frame = [&](bool withToolkit) {
        ClearWindow();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        if (withToolkit)
        {
            Gui::Texture texture = Loaded("quarters.png");
            Gui::Font font;
            font.facename = Gui::NarrowToWide(kFontFile);
            const std::vector<long> before = DrawingState();
            renderer->Begin();
            renderer->SetClipRegion(Gui::Rect(0, 0, 200, 100));
            renderer->StartClip();
            renderer->SetDrawColor(Gui::Color(10, 20, 30, 128));
            renderer->DrawTexturedRect(&texture, Gui::Rect(0, 0, 100, 100));
            renderer->DrawFilledRect(Gui::Rect(500, 300, 50, 50));
            renderer->RenderText(&font, Gui::Point(10, 10), std::string("Toolkit"));
            renderer->End();
            EXPECT_EQ(before, DrawingState());
            renderer->FreeFont(&font);
            texture.Release(renderer.get());
        }
        World::GetInstance()->Render();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glFinish();
        std::vector<unsigned char> pixels(Width * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> alone = frame(false);
    const std::vector<unsigned char> after = frame(true);
    // Compared below the toolkit's clipped corner (rows counted from the bottom).
    const size_t rows = Height - 100;
    EXPECT_TRUE(std::equal(alone.begin(), alone.begin() + rows * Width * 4, after.begin()));
    World::GetInstance()->Remove(actor);
    delete actor;
}
