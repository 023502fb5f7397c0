#include "engine/rendering/TextureCache.h"

#include "engine/log/CompoundLog.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <cmath>
#include <exception>
#include <map>

namespace
{
struct TextureCacheEntry
{
    String filename;
    GLint clampmode;
    GLint filtermode;
    GLuint textureIndex;
    int width;
    int height;
    // Set while a flush reloads the file.
    bool dirty;
};

typedef std::map<String, TextureCacheEntry> TextureCache;

TextureCache& Cache()
{
    static TextureCache cache;
    return cache;
}

// Uploads the bound image into textureIndex (a fresh one when 0); 0 when the upload fails.
GLuint UploadBoundImage(GLuint textureIndex, GLint clampmode, GLint filtermode)
{
    const bool fresh = (textureIndex == 0);
    if (fresh)
    {
        glGenTextures(1, &textureIndex);
    }
    glBindTexture(GL_TEXTURE_2D, textureIndex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, clampmode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, clampmode);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtermode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtermode);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);

    // The image library doesn't notice when OpenGL refuses the image, so ask OpenGL too.
    GLint uploadedWidth = 0;
    if (ilutGLTexImage(0) == IL_TRUE)
    {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &uploadedWidth);
    }
    if (uploadedWidth > 0)
    {
        return textureIndex;
    }
    if (fresh && textureIndex != 0)
    {
        glDeleteTextures(1, &textureIndex);
    }
    return 0;
}

// Loads filename into a new bound DevIL image; returns the image, or 0 after reporting.
ILuint LoadImage(const String& filename, bool optional)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(filename.c_str()) == IL_TRUE)
    {
        return image;
    }
    if (optional)
    {
        ClearDevILErrors();
    }
    else
    {
        ReportDevILErrors(filename);
    }
    ilDeleteImages(1, &image);
    return 0;
}
}

void InitializeTextureLoading()
{
    ilInit();
    iluInit();
    ilutInit();
    glDisable(GL_TEXTURE_2D);
    ilEnable(IL_CONV_PAL);
    ilutEnable(ILUT_OPENGL_CONV);
}

int GetTextureReference(const String& filename, GLint clampmode, GLint filtermode, bool optional)
{
    TextureCache& cache = Cache();
    TextureCache::iterator cached = cache.find(filename);
    if (cached != cache.end() && !cached->second.dirty)
    {
        return (int)cached->second.textureIndex;
    }

    ILuint image = LoadImage(filename, optional);
    if (image == 0)
    {
        return -1;
    }
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    // A reload goes into the texture name already handed out.
    const GLuint previous = (cached != cache.end()) ? cached->second.textureIndex : 0;
    const GLuint textureIndex = UploadBoundImage(previous, clampmode, filtermode);
    ilDeleteImages(1, &image);
    ReportDevILErrors(filename);

    if (cached == cache.end())
    {
        // Kept as texture 0, which draws untextured: the file is not decoded again for every
        // caller, and an actor given it shows its colour rather than its last look.
        if (textureIndex == 0)
        {
            CompoundLog::GetSystemLog().Printf("ERROR: Couldn't upload the texture %s; it is drawn untextured.",
                                               filename.c_str());
        }
        TextureCacheEntry entry = {filename, clampmode, filtermode, textureIndex, width, height, false};
        cache[filename] = entry;
        return (int)textureIndex;
    }
    cached->second.dirty = false;
    // What holds the texture's name goes on drawing whatever the refused upload left in it.
    if (textureIndex == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't upload the texture %s again; it keeps its last picture.",
                                           filename.c_str());
        return (int)previous;
    }
    cached->second.textureIndex = textureIndex;
    cached->second.width = width;
    cached->second.height = height;
    return (int)textureIndex;
}

int GetTextureReference(const String& filename, bool optional)
{
    return GetTextureReference(filename, GL_CLAMP, GL_LINEAR, optional);
}

void FlushTextureCache()
{
    TextureCache& cache = Cache();
    for (TextureCache::iterator it = cache.begin(); it != cache.end(); ++it)
    {
        it->second.dirty = true;
        GetTextureReference(it->first, it->second.clampmode, it->second.filtermode, false);
    }
}

bool PurgeTexture(const String& filename)
{
    TextureCache& cache = Cache();
    TextureCache::iterator it = cache.find(filename);
    if (it == cache.end())
    {
        return false;
    }
    glDeleteTextures(1, &it->second.textureIndex);
    cache.erase(it);
    return true;
}

void PurgeAllTextures()
{
    TextureCache& cache = Cache();
    for (TextureCache::iterator it = cache.begin(); it != cache.end(); ++it)
    {
        glDeleteTextures(1, &it->second.textureIndex);
    }
    cache.clear();
}

Vec2i GetTextureSize(const String& filename)
{
    TextureCache& cache = Cache();
    TextureCache::iterator it = cache.find(filename);
    if (it == cache.end())
    {
        return Vec2i(0, 0);
    }
    return Vec2i(it->second.width, it->second.height);
}

namespace
{
// The image library measures an image's data in 32-bit sizes: float pixels beyond that
// would be converted into a buffer too short for them.
const size_t kLargestConvertibleBytes = 0xFFFFFFFFu;

// An image read as float channels, the bottom row first; image is 0 when it could not be.
struct FloatImage
{
    ILuint image;
    size_t width;
    size_t height;
    const float* data;
};

bool FitsInImageLibrary(const String& filename, size_t width, size_t height, size_t channels)
{
    const size_t bytesPerPixel = channels * sizeof(float);
    if (width == 0 || height == 0 || width <= kLargestConvertibleBytes / bytesPerPixel / height)
    {
        return true;
    }
    CompoundLog::GetSystemLog().Printf("ERROR: The image %s is too large to read its pixels (%zu x %zu).",
                                       filename.c_str(), width, height);
    return false;
}

// Converts the bound image; false when the library failed or left less data than the pixels need.
bool ConvertToFloat(ILenum format, size_t expectedBytes)
{
    if (ilConvertImage(format, IL_FLOAT) != IL_TRUE)
    {
        return false;
    }
    return ilGetData() != 0 && (size_t)(ILuint)ilGetInteger(IL_IMAGE_SIZE_OF_DATA) >= expectedBytes;
}

// Loads filename as float channels of the given format with the bottom row first. Every
// failure is logged; a failed conversion is never read as if it had happened.
FloatImage LoadBottomUp(const String& filename, ILenum format, size_t channels)
{
    FloatImage loaded = {LoadImage(filename, false), 0, 0, 0};
    if (loaded.image == 0)
    {
        return loaded;
    }
    loaded.width = (size_t)ilGetInteger(IL_IMAGE_WIDTH);
    loaded.height = (size_t)ilGetInteger(IL_IMAGE_HEIGHT);
    bool usable = FitsInImageLibrary(filename, loaded.width, loaded.height, channels);
    if (usable && !ConvertToFloat(format, loaded.width * loaded.height * channels * sizeof(float)))
    {
        ClearDevILErrors();
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't convert the image %s to float pixels.", filename.c_str());
        usable = false;
    }
    if (!usable)
    {
        ilDeleteImages(1, &loaded.image);
        loaded.image = 0;
        return loaded;
    }
    if (ilGetInteger(IL_IMAGE_ORIGIN) != IL_ORIGIN_LOWER_LEFT)
    {
        iluFlipImage();
    }
    loaded.data = (const float*)ilGetData();
    return loaded;
}

// Makes room for count more items; false, logged, when that much memory can't be had.
template <class Item>
bool ReserveMore(std::vector<Item>& items, size_t count, const String& filename)
{
    try
    {
        items.reserve(items.size() + count);
        return true;
    }
    catch (const std::exception&)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Not enough memory to read the pixels of %s.", filename.c_str());
        return false;
    }
}
}

bool GetPixels(const String& filename, std::vector<Color>& pixels)
{
    FloatImage loaded = LoadBottomUp(filename, IL_RGBA, 4);
    if (loaded.image == 0)
    {
        return false;
    }
    const size_t count = loaded.width * loaded.height;
    const bool reserved = ReserveMore(pixels, count, filename);
    for (size_t i = 0; reserved && i < count; ++i)
    {
        const float* texel = loaded.data + i * 4;
        Color color(texel[0], texel[1], texel[2], texel[3]);
        color.Clamp();
        pixels.push_back(color);
    }
    ilDeleteImages(1, &loaded.image);
    return reserved;
}

bool GetPixelPositionsOfColor(const String& filename, float gridSize, const Color& color, float tolerance,
                              std::vector<Vector2>& positions)
{
    FloatImage loaded = LoadBottomUp(filename, IL_RGB, 3);
    if (loaded.image == 0)
    {
        return false;
    }
    const float halfWidth = loaded.width * gridSize * 0.5f;
    const float halfHeight = loaded.height * gridSize * 0.5f;
    for (size_t row = 0; row < loaded.height; ++row)
    {
        for (size_t column = 0; column < loaded.width; ++column)
        {
            const float* texel = loaded.data + (row * loaded.width + column) * 3;
            const bool matches = std::fabs(texel[0] - color.R) <= tolerance &&
                                 std::fabs(texel[1] - color.G) <= tolerance &&
                                 std::fabs(texel[2] - color.B) <= tolerance;
            if (matches)
            {
                positions.push_back(Vector2(column * gridSize - halfWidth, row * gridSize - halfHeight));
            }
        }
    }
    ilDeleteImages(1, &loaded.image);
    return true;
}

void ReportDevILErrors(const String& filename)
{
    ILenum error = ilGetError();
    if (error == IL_NO_ERROR)
    {
        return;
    }
    CompoundLog& log = CompoundLog::GetSystemLog();
    log.Printf("DevIL errors loading: %s", filename.c_str());
    while (error != IL_NO_ERROR)
    {
        log.Printf("%s", iluErrorString(error));
        error = ilGetError();
    }
}

void ClearDevILErrors()
{
    while (ilGetError() != IL_NO_ERROR)
    {
    }
}
