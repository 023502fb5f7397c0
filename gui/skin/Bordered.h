#pragma once

#include "gui/Rect.h"
#include "gui/Spacing.h"

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
            // A nine-slice region of a skin image: corners drawn at their size, edges
            // stretched along one axis, the centre along both, so the border never distorts.
            // The texture is not owned and must outlive the region; a region never
            // initialised draws nothing.
            class Bordered
            {
            public:
                // Pieces in row order: top-left, top, top-right, left, centre, right,
                // bottom-left, bottom, bottom-right.
                static const int kPieceCount = 9;

                // x, y, w, h and the margin (the border widths) in image pixels from the
                // image's top left; scale multiplies the borders as drawn, not the image.
                void Init(Texture* texture, float x, float y, float w, float h, const Margin& margin,
                          float scale = 1.0f);

                // A rectangle smaller than the region both ways shows the whole region
                // squeezed; otherwise each piece whose flag is set is drawn. A rectangle
                // narrower than the two borders gives negative middle sizes, passed on as such.
                void Draw(Renderer::Base* renderer, Rect rect, bool b0 = true, bool b1 = true, bool b2 = true,
                          bool b3 = true, bool b4 = true, bool b5 = true, bool b6 = true, bool b7 = true,
                          bool b8 = true);

                // Texture coordinates of a piece: left, top, right, bottom.
                struct Piece
                {
                    float uv[4];
                };
                const Piece& GetPiece(int index) const { return _pieces[index]; }
                const Margin& GetMargin() const { return _margin; }

            private:
                void DrawPiece(Renderer::Base* renderer, int index, int x, int y, int w, int h);

                Texture* _texture = nullptr;
                Piece _pieces[kPieceCount] = {};
                Margin _margin;
                float _width = 0.0f;
                float _height = 0.0f;
            };
        }
    }
}
