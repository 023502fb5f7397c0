// Sprites drawn from generated images: orientation, UVs and numbered frames.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/TextureCache.h"
#include "support/CapturingLog.h"
#include "support/SystemLogCapture.h"
#include "support/PngWriter.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

#include <cstdio>

namespace
{
class SpriteTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        log.Lines.clear();
        // Top row: red, green. Bottom row: blue, yellow.
        const std::vector<unsigned char> rgba = {255, 0,   0, 255, 0,   255, 0, 255,
                                                 0,   0, 255, 255, 255, 255, 0, 255};
        ASSERT_TRUE(WritePng("quad.png", 2, 2, rgba));
    }

    Actor* AddSprite(const String& file)
    {
        Actor* actor = new Actor();
        actor->SetSize(4.0f);  // about 154 pixels across
        EXPECT_TRUE(actor->SetSprite(file, 0, GL_CLAMP, GL_NEAREST));
        World::GetInstance()->Add(actor);
        return actor;
    }

    bool Logged(const String& text) const
    {
        for (size_t i = 0; i < log.Lines.size(); ++i)
        {
            if (log.Lines[i] == text)
            {
                return true;
            }
        }
        return false;
    }

    ScratchDirectory scratch;
    CapturingLog& log = SystemLogCapture();
};

void WriteFrame(const String& name, unsigned char red)
{
    ASSERT_TRUE(WriteSolidPng(name, 1, 1, red, 0, 0));
}
}

TEST_F(SpriteTest, TexelsAppearTheRightWayUp)
{
    AddSprite("quad.png");
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512 - 40, 384 - 40), 255, 0, 0));  // upper left
    EXPECT_TRUE(IsColor(ReadPixel(512 + 40, 384 - 40), 0, 255, 0));  // upper right
    EXPECT_TRUE(IsColor(ReadPixel(512 - 40, 384 + 40), 0, 0, 255));  // lower left
    EXPECT_TRUE(IsColor(ReadPixel(512 + 40, 384 + 40), 255, 255, 0)); // lower right
}

TEST_F(SpriteTest, TheActorColourTintsTheTexture)
{
    Actor* actor = AddSprite("quad.png");
    actor->SetColor(0.5f, 1.0f, 1.0f);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512 - 40, 384 - 40), 128, 0, 0, 3));
}

TEST_F(SpriteTest, CircleSpritesUseTheirOwnCoordinates)
{
    Actor* actor = AddSprite("quad.png");
    actor->SetDrawShape(ADS_Circle);
    actor->SetUVs(Vector2(0.0f, 0.0f), Vector2(0.5f, 0.5f));
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512 - 30, 384 - 30), 255, 0, 0));
    EXPECT_TRUE(IsColor(ReadPixel(512 + 30, 384 + 30), 255, 255, 0));
}

TEST_F(SpriteTest, UVsSelectPartOfTheImage)
{
    Actor* actor = AddSprite("quad.png");
    // The upper-left texel only.
    actor->SetUVs(Vector2(0.0f, 0.5f), Vector2(0.5f, 1.0f));
    RenderFrame();
    EXPECT_TRUE(RegionIs(512 - 70, 384 - 70, 512 + 70, 384 + 70, 255, 0, 0));
    // The lower-right texel only.
    actor->SetUVs(Vector2(0.5f, 0.0f), Vector2(1.0f, 0.5f));
    RenderFrame();
    EXPECT_TRUE(RegionIs(512 - 70, 384 - 70, 512 + 70, 384 + 70, 255, 255, 0));
}

TEST_F(SpriteTest, FramesSwitchTheDrawnTexture)
{
    WriteFrame("flag_0.png", 255);
    ASSERT_TRUE(WriteSolidPng("flag_1.png", 1, 1, 0, 0, 255));
    Actor* actor = new Actor();
    actor->LoadSpriteFrames("flag_0.png");
    World::GetInstance()->Add(actor);
    ASSERT_EQ(2, actor->GetSpriteFrameCount());
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));
    actor->SetSpriteFrame(1);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 0, 0, 255));
    // Cleared: an untextured square in the actor's colour.
    actor->ClearSpriteInfo();
    actor->SetColor(0, 1, 0);
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 0, 255, 0));
}

TEST_F(SpriteTest, FailedSpriteLeavesTheActorAlone)
{
    Actor* actor = AddSprite("quad.png");
    const int texture = actor->GetSpriteTexture();
    EXPECT_FALSE(actor->SetSprite("missing.png", 0, GL_CLAMP, GL_LINEAR, true));
    EXPECT_EQ(texture, actor->GetSpriteTexture());
    EXPECT_EQ(1, actor->GetSpriteFrameCount());
    // A frame past the end grows the count; frames are clamped into 0..63.
    EXPECT_TRUE(actor->SetSprite("quad.png", 3));
    EXPECT_EQ(4, actor->GetSpriteFrameCount());
    EXPECT_TRUE(actor->SetSprite("quad.png", 500));
    EXPECT_EQ(MAX_SPRITE_FRAMES, actor->GetSpriteFrameCount());
    EXPECT_EQ(-1, actor->GetSpriteTexture(2));
    actor->SetSpriteFrame(2);
    EXPECT_TRUE(Logged("setSpriteFrame() - Warning: frame(2) has an invalid texture reference."));
    EXPECT_EQ(2, actor->GetSpriteFrame());
}

TEST_F(SpriteTest, NumberedFramesLoadUntilTheFirstGap)
{
    WriteFrame("ship_001.png", 10);
    WriteFrame("ship_002.png", 20);
    WriteFrame("ship_003.png", 30);
    WriteFrame("ship_005.png", 50);
    Actor actor;
    actor.LoadSpriteFrames("ship_001.png");
    EXPECT_EQ(3, actor.GetSpriteFrameCount());
    EXPECT_EQ(GetTextureReference("ship_003.png"), actor.GetSpriteTexture(2));
    EXPECT_EQ(Vec2i(0, 0), GetTextureSize("ship_005.png"));
    // The missing ship_004.png is looked for silently.
    EXPECT_TRUE(log.Lines.empty());
}

TEST_F(SpriteTest, NumbersMayOutgrowTheirWidth)
{
    WriteFrame("gull_9.png", 90);
    WriteFrame("gull_10.png", 100);
    Actor actor;
    actor.LoadSpriteFrames("gull_9.png");
    EXPECT_EQ(2, actor.GetSpriteFrameCount());
    EXPECT_EQ(GetTextureReference("gull_10.png"), actor.GetSpriteTexture(1));
}

TEST_F(SpriteTest, BadlyNamedFramesLoadAsOneTexture)
{
    WriteFrame("ship.png", 10);
    Actor actor;
    actor.LoadSpriteFrames("ship.png");
    EXPECT_TRUE(Logged("LoadSpriteFrames() - Bad Format - Expecting somename_###.ext"));
    EXPECT_TRUE(Logged("Attempting to load single texture: ship.png"));
    EXPECT_EQ(1, actor.GetSpriteFrameCount());
    EXPECT_EQ(GetTextureReference("ship.png"), actor.GetSpriteTexture(0));
}

TEST_F(SpriteTest, FrameNamesAreCheckedBeforeTheyAreRead)
{
    const char* badNames[] = {"ship_.png", "ship_01", "ship_0a1.png", "dir.v2/ship_1", "_.png", "plain"};
    for (size_t i = 0; i < sizeof(badNames) / sizeof(badNames[0]); ++i)
    {
        log.Lines.clear();
        Actor actor;
        actor.LoadSpriteFrames(badNames[i]);
        EXPECT_TRUE(Logged("LoadSpriteFrames() - Bad Format - Expecting somename_###.ext")) << badNames[i];
        EXPECT_EQ(0, actor.GetSpriteFrameCount()) << badNames[i];
    }
}

TEST_F(SpriteTest, AtMostSixtyFourFrames)
{
    char name[32];
    for (int i = 0; i < 66; ++i)
    {
        std::snprintf(name, sizeof(name), "wave_%02d.png", i);
        WriteFrame(name, (unsigned char)i);
    }
    Actor actor;
    actor.LoadSpriteFrames("wave_00.png");
    EXPECT_EQ(MAX_SPRITE_FRAMES, actor.GetSpriteFrameCount());
    EXPECT_TRUE(Logged("Maximum number of frames reached (64). Bailing out..."));
    EXPECT_TRUE(Logged("Increment MAX_SPRITE_FRAMES if you need more."));
    EXPECT_EQ(Vec2i(0, 0), GetTextureSize("wave_64.png"));
}
