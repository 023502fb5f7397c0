// Plain actors drawn through the shared sprite batch: the picture must be the one drawing
// each actor on its own gives, whatever the textures, shapes and other drawings around them.
#include "engine/actors/Actor.h"
#include "engine/actors/ActorBatching.h"
#include "engine/actors/ParticleActor.h"
#include "engine/core/Renderable.h"
#include "engine/core/World.h"
#include "engine/rendering/ClipSpace.h"
#include "engine/rendering/TextureCache.h"
#include "support/PngWriter.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

#include <GL/gl.h>

#include <vector>

namespace
{
// 38.4 pixels per world unit, the origin at the window centre.
const float kPixelsPerUnit = 38.4f;
const int kCentreX = WorldWindow::Width / 2;
const int kCentreY = WorldWindow::Height / 2;

int ScreenX(float worldX) { return kCentreX + (int)(worldX * kPixelsPerUnit); }
int ScreenY(float worldY) { return kCentreY - (int)(worldY * kPixelsPerUnit); }

// A blue square drawn straight through OpenGL, as a renderable that draws by itself does.
class RawSquare : public Renderable
{
public:
    explicit RawSquare(float x) : _x(x) {}

    void Render() override
    {
        const float vertices[] = {_x - 1, 1, _x - 1, -1, _x + 1, 1, _x + 1, -1};
        glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, vertices);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }

private:
    float _x;
};

// An actor that draws a green bar over its own square, as game actors with extra drawing do.
class BarredActor : public Actor
{
public:
    void Render() override
    {
        Actor::Render();
        const float x = GetPosition().X;
        const float vertices[] = {x - 0.25f, 3, x - 0.25f, -3, x + 0.25f, 3, x + 0.25f, -3};
        glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, vertices);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
};

class SpriteBatchTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        ASSERT_TRUE(WriteSolidPng("red.png", 2, 2, 255, 0, 0));
        ASSERT_TRUE(WriteSolidPng("yellow.png", 2, 2, 255, 255, 0));
        // Top row: red, green. Bottom row: blue, white.
        const std::vector<unsigned char> quad = {255, 0, 0, 255, 0, 255, 0, 255,
                                                 0, 0, 255, 255, 255, 255, 255, 255};
        ASSERT_TRUE(WritePng("quad.png", 2, 2, quad));
    }

    void TearDown() override { SetActorBatchingEnabled(true); }

    Actor* Add(Actor* actor, float x, float size, const String& sprite, int layer = 0)
    {
        actor->SetPosition(x, 0.0f);
        actor->SetSize(size);
        if (!sprite.empty())
        {
            EXPECT_TRUE(actor->SetSprite(sprite, 0, GL_CLAMP, GL_NEAREST));
        }
        World::GetInstance()->Add(actor, layer);
        return actor;
    }

    Actor* Add(float x, float size, const String& sprite, int layer = 0)
    {
        return Add(new Actor(), x, size, sprite, layer);
    }

    std::vector<unsigned char> Frame()
    {
        RenderFrame();
        std::vector<unsigned char> pixels(Width * Height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // The frame drawn with the batch and the one drawn actor by actor: how many pixels differ.
    int DifferingPixels()
    {
        SetActorBatchingEnabled(true);
        const std::vector<unsigned char> batched = Frame();
        SetActorBatchingEnabled(false);
        const std::vector<unsigned char> single = Frame();
        SetActorBatchingEnabled(true);
        int differing = 0;
        for (size_t i = 0; i < batched.size(); i += 4)
        {
            const bool same = batched[i] == single[i] && batched[i + 1] == single[i + 1] &&
                              batched[i + 2] == single[i + 2];
            differing += same ? 0 : 1;
        }
        return differing;
    }

    ScratchDirectory scratch;
};
}

// Red, yellow, red overlapping left to right: a batch that gathered the two red squares
// into one draw would put the second red under the yellow.
TEST_F(SpriteBatchTest, LaterActorsStayOnTopAcrossTextureChanges)
{
    Add(-1.0f, 2.0f, "red.png");
    Add(0.0f, 2.0f, "yellow.png");
    Add(1.0f, 2.0f, "red.png");
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-1.25f), kCentreY), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-0.25f), kCentreY), 255, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.25f), kCentreY), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(1.25f), kCentreY), 255, 0, 0));
}

TEST_F(SpriteBatchTest, UntexturedActorsBetweenSpritesKeepTheirPlace)
{
    Add(-1.0f, 2.0f, "red.png");
    Add(0.0f, 2.0f, "")->SetColor(0.0f, 0.0f, 0.0f);
    Add(1.0f, 2.0f, "red.png");
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-0.25f), kCentreY), 0, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.25f), kCentreY), 255, 0, 0));
}

// The red square waits in the batch when the raw square comes; it must be drawn first.
TEST_F(SpriteBatchTest, WaitingSpritesAreDrawnBeforeARenderableThatDrawsByItself)
{
    Add(0.0f, 2.0f, "red.png");
    World::GetInstance()->Add(new RawSquare(1.0f));
    Add(2.0f, 2.0f, "red.png");
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.25f), kCentreY), 0, 0, 255));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(1.75f), kCentreY), 255, 0, 0));
}

// An actor class with its own Render draws its square and its bar in that order, between
// the actors before and after it.
TEST_F(SpriteBatchTest, ActorsWithTheirOwnRenderDrawInPlace)
{
    Add(-1.0f, 2.0f, "yellow.png");
    Add(new BarredActor(), 0.0f, 2.0f, "red.png");
    Add(1.5f, 2.0f, "yellow.png");
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-0.25f) - 12, kCentreY), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, kCentreY), 0, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, ScreenY(2.5f)), 0, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.75f), kCentreY), 255, 255, 0));
}

TEST_F(SpriteBatchTest, ClassesMustBeAllowedExactly)
{
    BarredActor barred;
    Actor plain;
    EXPECT_EQ(&plain, BatchableActor(&plain));
    EXPECT_TRUE(BatchableActor(&barred) == nullptr);
    plain.SetDrawShape(ADS_DisplayList);
    EXPECT_TRUE(BatchableActor(&plain) == nullptr);
    RawSquare raw(0.0f);
    EXPECT_TRUE(BatchableActor(&raw) == nullptr);
}

TEST_F(SpriteBatchTest, LayersStillDrawInOrder)
{
    Add(0.0f, 2.0f, "yellow.png", 3);
    Add(1.0f, 2.0f, "red.png", 1);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.5f), kCentreY), 255, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(1.5f), kCentreY), 255, 0, 0));
}

TEST_F(SpriteBatchTest, TintRotationAndUVsSurvive)
{
    // Only the upper right texel (green), tinted half bright, turned a quarter.
    Actor* actor = Add(0.0f, 4.0f, "quad.png");
    actor->SetUVs(Vector2(0.5f, 0.5f), Vector2(1.0f, 1.0f));
    actor->SetColor(1.0f, 0.5f, 1.0f);
    actor->SetSize(4.0f, 2.0f);
    actor->SetRotation(90.0f);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(kCentreX, ScreenY(1.5f)), 0, 128, 0, 3));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(1.5f), kCentreY), 255, 255, 255));
    // The full texture turned a quarter: red, once upper left, is now lower left, and blue,
    // once lower left, is lower right.
    Actor* turned = Add(5.0f, 4.0f, "quad.png");
    turned->SetRotation(90.0f);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(4.0f), ScreenY(-1.0f)), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(6.0f), ScreenY(-1.0f)), 0, 0, 255));
}

TEST_F(SpriteBatchTest, AMixedSceneLooksAsDrawnActorByActor)
{
    const char* sprites[] = {"quad.png", "red.png", "", "quad.png", "yellow.png"};
    for (int i = 0; i < 60; ++i)
    {
        Actor* actor = Add(-9.0f + 0.3f * i, 0.5f + 0.05f * (i % 9), sprites[i % 5], i % 3);
        actor->SetPosition(-9.0f + 0.3f * i, -6.0f + 0.21f * ((i * 7) % 57));
        actor->SetRotation(13.0f * i);
        actor->SetColor(0.2f + 0.013f * i, 1.0f - 0.011f * i, 0.5f, 0.35f + 0.01f * i);
        if (i % 4 == 1)
        {
            actor->SetDrawShape(ADS_Circle);
        }
        if (i % 6 == 2)
        {
            actor->SetUVs(Vector2(0.1f, 0.25f), Vector2(0.9f, 0.75f));
        }
        if (i % 7 == 3)
        {
            World::GetInstance()->Add(new RawSquare(-8.0f + 0.3f * i), i % 3);
        }
    }
    EXPECT_EQ(0, DifferingPixels());
}

// What drawing each actor on its own left behind, later drawing may rely on.
TEST_F(SpriteBatchTest, TheLayerPassLeavesTheStateOfSingleDraws)
{
    Add(0.0f, 2.0f, "red.png");
    Add(1.0f, 2.0f, "")->SetColor(0.25f, 0.5f, 0.75f, 0.5f);
    RenderFrame();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    float color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_FLOAT_EQ(0.25f, color[0]);
    EXPECT_FLOAT_EQ(0.5f, color[1]);
    EXPECT_FLOAT_EQ(0.75f, color[2]);
    EXPECT_FLOAT_EQ(0.5f, color[3]);
}

namespace
{
class OneParticle : public ParticleActor
{
public:
    OneParticle()
    {
        SetSpeedRange(0.0f, 0.0f);
        SetGravity(Vector2(0.0f, 0.0f));
        SetMaxParticles(1);
        SetParticlesPerSecond(0.0f);
        SetParticleLifetime(100.0f);
    }

    void Start()
    {
        _pendingParticles = 1.0f;
        Update(0.0f);
    }
};
}

// The particle flies along the actor's rotation and is drawn turned that way, tinted, between
// the actors before and after it.
TEST_F(SpriteBatchTest, ParticlesDrawTurnedTintedAndInPlace)
{
    Add(-2.0f, 2.0f, "yellow.png");
    OneParticle* particles = new OneParticle();
    particles->SetSize(4.0f);
    particles->SetRotation(90.0f);
    particles->SetColor(1.0f, 1.0f, 0.5f);
    EXPECT_TRUE(particles->SetSprite("quad.png", 0, GL_CLAMP, GL_NEAREST));
    World::GetInstance()->Add(particles);
    Add(2.0f, 2.0f, "yellow.png");
    particles->Start();
    RenderFrame();
    // Red, once upper left, lower left now; blue, once lower left, lower right, halved.
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-0.5f), ScreenY(-1.0f)), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(0.5f), ScreenY(-1.0f)), 0, 0, 128, 3));
    // Over the first yellow square, under the second.
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(-1.5f), ScreenY(0.5f)), 0, 255, 0));
    EXPECT_TRUE(IsColor(ReadPixel(ScreenX(1.5f), ScreenY(-0.5f)), 255, 255, 0));
    // Drawn on its own, the system leaves the square's coordinates enabled, as it always has.
    particles->Render();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// Sprites across every edge of the window and wholly outside it, turned and not, squares and
// circles: those across the edge go out in draws of their own and those outside not at all,
// and the picture stays that of drawing each actor on its own.
TEST_F(SpriteBatchTest, SpritesAcrossAndOutsideTheEdgeLookAsDrawnActorByActor)
{
    const char* sprites[] = {"quad.png", "quad.png", "red.png", "quad.png"};
    for (int i = 0; i < 120; ++i)
    {
        const float x = -16.0f + 0.27f * i;
        const float y = (i % 2 ? 1.0f : -1.0f) * (7.0f + 0.05f * (i % 60));
        Actor* actor = Add(x, 0.6f + 0.03f * (i % 13), sprites[i % 4], i % 2);
        actor->SetPosition(i % 3 ? Vector2(x, y) : Vector2(y * 1.5f, x * 0.6f));
        actor->SetRotation(i % 5 ? 17.0f * i : 0.0f);
        actor->SetColor(0.3f + 0.005f * i, 0.9f, 0.4f, 0.5f + 0.004f * i);
        if (i % 7 == 3)
        {
            actor->SetDrawShape(ADS_Circle);
        }
    }
    EXPECT_EQ(0, DifferingPixels());
    // The edges were reached: the top and bottom rows show sprites.
    EXPECT_LT(CountPixels(0, 0, Width, 1, 255, 255, 255, 0), Width);
    EXPECT_LT(CountPixels(0, Height - 1, Width, Height, 255, 255, 255, 0), Width);
}

// A batch whose sprites all lie inside goes out in one draw, judged from the box around them;
// once a single sprite reaches across an edge (the box with it), each is placed on its own.
TEST_F(SpriteBatchTest, BatchesWhollyInsideAndOneSpriteAcrossTheEdgeLookAsDrawnActorByActor)
{
    const char* sprites[] = {"quad.png", "red.png"};
    std::vector<Actor*> actors;
    for (int i = 0; i < 400; ++i)
    {
        Actor* actor = Add(0.0f, 0.3f + 0.01f * (i % 11), sprites[(i / 100) % 2], i % 2);
        actor->SetPosition(-12.5f + 0.0625f * i, -9.0f + 0.045f * ((i * 37) % 400));
        actor->SetRotation(i % 3 ? 0.0f : 7.0f * i);
        actors.push_back(actor);
    }
    EXPECT_EQ(0, DifferingPixels());
    // Just across the right edge, and then just across the top edge.
    actors[399]->SetPosition(13.2f, 0.0f);
    EXPECT_EQ(0, DifferingPixels());
    actors[399]->SetPosition(0.0f, 9.9f);
    EXPECT_EQ(0, DifferingPixels());
    EXPECT_LT(CountPixels(0, 0, Width, 1, 255, 255, 255, 0), Width);
}

TEST(ClipVolumeTest, PlacesCirclesInsideAcrossAndOutsideTheView)
{
    // x and y from -10 to 10 seen straight on, the model-view moved 2 to the right.
    const float projection[16] = {0.1f, 0, 0, 0, 0, 0.1f, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};
    const float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 0, 0, 1};
    const ClipVolume volume(projection, modelView);
    EXPECT_EQ(CLIP_Inside, volume.Place(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(CLIP_Inside, volume.Place(6.9f, 8.9f, 1.0f));
    EXPECT_EQ(CLIP_Crossing, volume.Place(7.5f, 0.0f, 1.0f));
    EXPECT_EQ(CLIP_Crossing, volume.Place(-12.5f, 0.0f, 1.0f));
    EXPECT_EQ(CLIP_Crossing, volume.Place(0.0f, 9.0f, 1.0f));
    EXPECT_EQ(CLIP_Outside, volume.Place(9.5f, 0.0f, 1.0f));
    EXPECT_EQ(CLIP_Outside, volume.Place(0.0f, -11.5f, 1.0f));
}

// More squares than 16-bit indices can reach in one batch: the batch draws early and goes
// on, and every sprite is still drawn, in order, as drawn one by one.
TEST_F(SpriteBatchTest, MoreSpritesThanOneIndexedDrawHoldsLookAsDrawnActorByActor)
{
    const char* sprites[] = {"quad.png", "quad.png", "quad.png", "red.png"};
    for (int i = 0; i < 17000; ++i)
    {
        Actor* actor = Add(-13.0f + 0.0016f * i, 0.35f, sprites[(i / 4000) % 4]);
        actor->SetPosition(-13.0f + 0.0016f * i, -9.0f + 0.11f * (i % 163));
        actor->SetRotation(static_cast<float>(i % 90));
        if (i % 1000 == 7)
        {
            actor->SetDrawShape(ADS_Circle);
        }
    }
    EXPECT_EQ(0, DifferingPixels());
    RenderFrame();
    // The last sprites, past the first draw's limit, are there: red at the right.
    EXPECT_GT(CountPixels(ScreenX(13.0f), 0, ScreenX(14.0f), Height, 255, 0, 0, 0), 100);
}
