// The texture cache: loading once, failures, flushing and purging, reading pixels.
#include "engine/actors/Actor.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/TextureCache.h"
#include "support/CapturingLog.h"
#include "support/SystemLogCapture.h"
#include "support/PngWriter.h"
#include "support/ScratchDirectory.h"
#include "support/WorldWindow.h"

#include <IL/il.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace
{
class TextureCacheTest : public WorldWindow
{
protected:
    void SetUp() override
    {
        WorldWindow::SetUp();
        log.Lines.clear();
    }

    bool Logged(const String& text) const
    {
        for (size_t i = 0; i < log.Lines.size(); ++i)
        {
            if (log.Lines[i].find(text) != String::npos)
            {
                return true;
            }
        }
        return false;
    }

    ScratchDirectory scratch;
    CapturingLog& log = SystemLogCapture();
};

// An 8-bit grey run-length TGA: a huge image in a small file (runs of 128 pixels).
bool WriteBlackRunLengthTga(const std::string& path, int width, int height)
{
    std::vector<unsigned char> bytes = {0, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        (unsigned char)width, (unsigned char)(width >> 8),
                                        (unsigned char)height, (unsigned char)(height >> 8), 8, 0};
    const size_t runs = (size_t)width * height / 128;
    bytes.resize(bytes.size() + runs * 2, 0);
    for (size_t run = 0; run < runs; ++run)
    {
        bytes[18 + run * 2] = 0x80 | 127;
    }
    std::ofstream file(path, std::ios::binary);
    file.write((const char*)bytes.data(), (std::streamsize)bytes.size());
    return (bool)file;
}

// The image library's allocator, refusing anything above a limit, for the length of a test.
size_t s_allocationLimit = 0;
void* ILAPIENTRY LimitedAlloc(const ILsizei size) { return size > s_allocationLimit ? 0 : std::malloc(size); }
void ILAPIENTRY PlainFree(const void* memory) { std::free(const_cast<void*>(memory)); }
struct ImageLibraryAllocationLimit
{
    explicit ImageLibraryAllocationLimit(size_t limit)
    {
        s_allocationLimit = limit;
        ilSetMemory(LimitedAlloc, PlainFree);
    }
    ~ImageLibraryAllocationLimit() { ilSetMemory(0, 0); }
};
}

TEST_F(TextureCacheTest, OpensAFileOnceAndKeepsItsFirstModes)
{
    ASSERT_TRUE(WriteSolidPng("red.png", 4, 2, 255, 0, 0));
    const int first = GetTextureReference("red.png", GL_REPEAT, GL_NEAREST);
    ASSERT_GE(first, 0);
    EXPECT_EQ(Vec2i(4, 2), GetTextureSize("red.png"));
    // Gone from the disk: the cache still answers, without opening anything.
    std::remove("red.png");
    EXPECT_EQ(first, GetTextureReference("red.png", GL_CLAMP, GL_LINEAR));
    EXPECT_FALSE(Logged("DevIL errors loading"));
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, first);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(GL_NEAREST, filter);
    // Another text for the same file is another entry.
    ASSERT_TRUE(WriteSolidPng("blue.png", 1, 1, 0, 0, 255));
    const int plain = GetTextureReference("blue.png");
    const int dotted = GetTextureReference("./blue.png");
    EXPECT_GE(plain, 0);
    EXPECT_NE(plain, dotted);
}

TEST_F(TextureCacheTest, MissingFilesAreReportedUnlessOptional)
{
    EXPECT_EQ(-1, GetTextureReference("nowhere.png", true));
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_EQ(-1, GetTextureReference("nowhere.png"));
    ASSERT_GE(log.Lines.size(), 2u);
    EXPECT_EQ("DevIL errors loading: nowhere.png", log.Lines[0]);
    EXPECT_EQ(Vec2i(0, 0), GetTextureSize("nowhere.png"));
    EXPECT_FALSE(PurgeTexture("nowhere.png"));

    // Not an image at all.
    FILE* junk = std::fopen("junk.png", "w");
    std::fputs("not a picture", junk);
    std::fclose(junk);
    EXPECT_EQ(-1, GetTextureReference("junk.png"));
}

// An image OpenGL refuses is kept as texture 0: the sprite is set and drawn untextured in
// the actor's colour, and the file is not decoded again until a flush tries it anew.
TEST_F(TextureCacheTest, ARefusedUploadIsCachedAsTextureZeroAndDrawnUntextured)
{
    ASSERT_TRUE(WriteSolidPng("blue.png", 2, 2, 0, 0, 255));
    ASSERT_TRUE(WriteSolidPng("refused.png", 2, 2, 0, 255, 0));
    Actor* actor = new Actor();
    actor->SetSize(4.0f);
    actor->SetColor(1.0f, 0.0f, 0.0f);
    ASSERT_TRUE(actor->SetSprite("blue.png"));
    World::GetInstance()->Add(actor);
    // Between glBegin and glEnd OpenGL refuses every texture call.
    glBegin(GL_POINTS);
    const bool set = actor->SetSprite("refused.png");
    glEnd();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    EXPECT_TRUE(set);
    EXPECT_EQ(0, actor->GetSpriteTexture());
    EXPECT_TRUE(Logged("ERROR: Couldn't upload the texture refused.png; it is drawn untextured."));
    EXPECT_EQ(Vec2i(2, 2), GetTextureSize("refused.png"));
    // Red, neither the old blue look nor the green picture, both of which red tints to black.
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));

    std::remove("refused.png");
    log.Lines.clear();
    EXPECT_EQ(0, GetTextureReference("refused.png"));
    EXPECT_TRUE(log.Lines.empty());

    ASSERT_TRUE(WriteSolidPng("refused.png", 2, 2, 0, 255, 0));
    FlushTextureCache();
    const int loaded = GetTextureReference("refused.png");
    EXPECT_GT(loaded, 0);
    // A refused reload leaves the name with its last picture.
    glBegin(GL_POINTS);
    FlushTextureCache();
    glEnd();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    EXPECT_TRUE(Logged("ERROR: Couldn't upload the texture refused.png again; it keeps its last picture."));
    EXPECT_EQ(loaded, GetTextureReference("refused.png"));
}

TEST_F(TextureCacheTest, FlushReloadsIntoTheSameTextureName)
{
    ASSERT_TRUE(WriteSolidPng("paint.png", 2, 2, 255, 0, 0));
    Actor* actor = new Actor();
    actor->SetSize(4.0f);
    ASSERT_TRUE(actor->SetSprite("paint.png"));
    World::GetInstance()->Add(actor);
    const int before = actor->GetSpriteTexture();
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 255, 0, 0));

    ASSERT_TRUE(WriteSolidPng("paint.png", 3, 3, 0, 0, 255));
    FlushTextureCache();
    EXPECT_EQ(before, GetTextureReference("paint.png"));
    EXPECT_EQ(Vec2i(3, 3), GetTextureSize("paint.png"));
    // The actor still holds the old name and now shows the new picture.
    RenderFrame();
    EXPECT_TRUE(IsColor(ReadPixel(512, 384), 0, 0, 255));
}

TEST_F(TextureCacheTest, PurgeForgetsTheFile)
{
    ASSERT_TRUE(WriteSolidPng("gone.png", 2, 2, 255, 0, 0));
    ASSERT_GE(GetTextureReference("gone.png"), 0);
    EXPECT_TRUE(PurgeTexture("gone.png"));
    EXPECT_EQ(Vec2i(0, 0), GetTextureSize("gone.png"));
    ASSERT_TRUE(WriteSolidPng("gone.png", 5, 1, 0, 255, 0));
    EXPECT_GE(GetTextureReference("gone.png"), 0);
    EXPECT_EQ(Vec2i(5, 1), GetTextureSize("gone.png"));
}

TEST_F(TextureCacheTest, GetPixelsStartsWithTheBottomRow)
{
    // Top row: red, green. Bottom row: blue, white.
    const std::vector<unsigned char> rgba = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    ASSERT_TRUE(WritePng("quad.png", 2, 2, rgba));
    std::vector<Color> pixels(1, Color(0.5f, 0.5f, 0.5f));
    ASSERT_TRUE(GetPixels("quad.png", pixels));
    ASSERT_EQ(5u, pixels.size());
    EXPECT_EQ(Color(0, 0, 1), pixels[1]);
    EXPECT_EQ(Color(1, 1, 1), pixels[2]);
    EXPECT_EQ(Color(1, 0, 0), pixels[3]);
    EXPECT_EQ(Color(0, 1, 0), pixels[4]);
    EXPECT_FALSE(GetPixels("missing.png", pixels));

    std::vector<Vector2> positions;
    ASSERT_TRUE(GetPixelPositionsOfColor("quad.png", 2.0f, Color(1, 0, 0), 0.1f, positions));
    ASSERT_EQ(1u, positions.size());
    // Column 0, row 1 from the bottom, the 4 x 4 image centred on the origin.
    EXPECT_EQ(Vector2(-2.0f, 0.0f), positions[0]);
}

TEST_F(TextureCacheTest, PixelHelpersRefuseAFailedConversion)
{
    // 16 KiB loaded, 64 KiB once converted to float: only the conversion hits the limit.
    ASSERT_TRUE(WriteSolidPng("plain.png", 64, 64, 255, 0, 0));
    std::vector<Color> pixels;
    std::vector<Vector2> positions;
    {
        ImageLibraryAllocationLimit limit(32 * 1024);
        EXPECT_FALSE(GetPixels("plain.png", pixels));
        EXPECT_FALSE(GetPixelPositionsOfColor("plain.png", 1.0f, Color(1, 0, 0), 0.1f, positions));
    }
    EXPECT_TRUE(pixels.empty());
    EXPECT_TRUE(positions.empty());
    EXPECT_TRUE(Logged("ERROR: Couldn't convert the image plain.png to float pixels."));

    ASSERT_TRUE(GetPixels("plain.png", pixels));
    EXPECT_EQ(64u * 64u, pixels.size());
}

TEST_F(TextureCacheTest, PixelHelpersRefuseImagesTooLargeToConvert)
{
    // 16384 x 16385 float pixels need just over 4 GiB, more than the image library can address.
    ASSERT_TRUE(WriteBlackRunLengthTga("huge.tga", 16384, 16385));
    std::vector<Color> pixels;
    EXPECT_FALSE(GetPixels("huge.tga", pixels));
    EXPECT_TRUE(pixels.empty());
    EXPECT_TRUE(Logged("ERROR: The image huge.tga is too large to read its pixels (16384 x 16385)."));
}
