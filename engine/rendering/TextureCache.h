#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vec2i.h"
#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

#include <GL/gl.h>

#include <vector>

// The engine-wide cache of OpenGL textures loaded from image files, keyed by the file name
// exactly as given. Callers keep the integer texture name; the cache owns the texture.

// Starts the image library; run once after the OpenGL context exists.
void InitializeTextureLoading();

// The texture name for the file, loading it on first use; -1 when it can't be loaded.
// A file already cached keeps the clamp and filter modes of its first load. With optional
// set a missing file is not reported. An image that OpenGL refuses is cached as texture 0,
// which draws untextured, until a flush or a purge tries it again.
int GetTextureReference(const String& filename, GLint clampmode = GL_CLAMP, GLint filtermode = GL_LINEAR,
                        bool optional = false);
int GetTextureReference(const String& filename, bool optional);

// Reloads every cached texture from its file into the texture name it already has, so
// whatever draws with it shows the new image.
void FlushTextureCache();
// Deletes the texture and forgets the file; false when it was not cached.
bool PurgeTexture(const String& filename);
// Deletes every cached texture; needed before the OpenGL context goes away.
void PurgeAllTextures();
// Width and height of a cached image; (0, 0) when the file is not cached. Never loads.
Vec2i GetTextureSize(const String& filename);

// Reads the image file itself (not the cache) and appends its pixels, the bottom row first.
bool GetPixels(const String& filename, std::vector<Color>& pixels);
// Appends a world position, one grid cell per pixel and the image centred on the origin,
// for every pixel whose red, green and blue are each within tolerance of color.
bool GetPixelPositionsOfColor(const String& filename, float gridSize, const Color& color, float tolerance,
                              std::vector<Vector2>& positions);

// Empties the image library's error queue, logging each error under the file's name.
void ReportDevILErrors(const String& filename);
// Empties it silently.
void ClearDevILErrors();
