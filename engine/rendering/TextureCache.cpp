#include "engine/rendering/TextureCache.h"

#include "engine/log/CompoundLog.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <cmath>
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

    if (textureIndex == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't upload the texture %s.", filename.c_str());
        return -1;
    }

    if (cached == cache.end())
    {
        TextureCacheEntry entry = {filename, clampmode, filtermode, textureIndex, width, height, false};
        cache[filename] = entry;
    }
    else
    {
        cached->second.width = width;
        cached->second.height = height;
        cached->second.dirty = false;
    }
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
// Loads filename as float channels of the given format with the bottom row first.
ILuint LoadBottomUp(const String& filename, ILenum format)
{
    ILuint image = LoadImage(filename, false);
    if (image == 0)
    {
        return 0;
    }
    ilConvertImage(format, IL_FLOAT);
    if (ilGetInteger(IL_IMAGE_ORIGIN) != IL_ORIGIN_LOWER_LEFT)
    {
        iluFlipImage();
    }
    return image;
}
}

bool GetPixels(const String& filename, std::vector<Color>& pixels)
{
    ILuint image = LoadBottomUp(filename, IL_RGBA);
    if (image == 0)
    {
        return false;
    }
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const float* data = (const float*)ilGetData();
    for (int i = 0; i < width * height; ++i)
    {
        const float* texel = data + i * 4;
        pixels.push_back(Color(texel[0], texel[1], texel[2], texel[3]));
    }
    ilDeleteImages(1, &image);
    return true;
}

bool GetPixelPositionsOfColor(const String& filename, float gridSize, const Color& color, float tolerance,
                              std::vector<Vector2>& positions)
{
    ILuint image = LoadBottomUp(filename, IL_RGB);
    if (image == 0)
    {
        return false;
    }
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const float* data = (const float*)ilGetData();
    for (int row = 0; row < height; ++row)
    {
        for (int column = 0; column < width; ++column)
        {
            const float* texel = data + (row * width + column) * 3;
            const bool matches = std::fabs(texel[0] - color.R) <= tolerance &&
                                 std::fabs(texel[1] - color.G) <= tolerance &&
                                 std::fabs(texel[2] - color.B) <= tolerance;
            if (matches)
            {
                positions.push_back(Vector2(column * gridSize - width * gridSize * 0.5f,
                                            row * gridSize - height * gridSize * 0.5f));
            }
        }
    }
    ilDeleteImages(1, &image);
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
