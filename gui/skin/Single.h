#pragma once

#include "gui/Color.h"
#include "gui/Rect.h"

namespace Gui
{
    struct Texture;

    namespace Renderer
    {
        class Base;
    }

    namespace Skin
    {
        namespace Texturing
        {
            // A region of a skin image drawn whole. The texture is not owned and must outlive
            // the region; a region never initialised draws nothing.
            class Single
            {
            public:
                // x, y, w, h in image pixels from the image's top left.
                void Init(Texture* texture, float x, float y, float w, float h);
                // Stretched over the rectangle.
                void Draw(Renderer::Base* renderer, Rect rect, const Color& color = Colors::White);
                // At its own size, centred in the rectangle.
                void DrawCenter(Renderer::Base* renderer, Rect rect, const Color& color = Colors::White);

                // Texture coordinates: left, top, right, bottom.
                const float* GetUV() const { return _uv; }
                int Width() const { return _width; }
                int Height() const { return _height; }

            private:
                Texture* _texture = nullptr;
                float _uv[4] = {};
                int _width = 0;
                int _height = 0;
            };
        }
    }
}
