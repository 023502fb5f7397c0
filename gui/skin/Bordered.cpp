#include "gui/skin/Bordered.h"

#include "gui/Color.h"
#include "gui/Texture.h"
#include "gui/renderer/Base.h"

namespace Gui
{
namespace Skin
{
namespace Texturing
{
void Bordered::Init(Texture* texture, float x, float y, float w, float h, const Margin& margin, float scale)
{
    _texture = texture;
    _margin = margin;

    const float columns[4] = {x, x + margin.left, x + w - margin.right, x + w};
    const float rows[4] = {y, y + margin.top, y + h - margin.bottom, y + h};
    const float texWidth = (float)texture->width;
    const float texHeight = (float)texture->height;
    for (int row = 0; row < 3; ++row)
    {
        for (int column = 0; column < 3; ++column)
        {
            float* uv = _pieces[row * 3 + column].uv;
            uv[0] = columns[column] / texWidth;
            uv[1] = rows[row] / texHeight;
            uv[2] = columns[column + 1] / texWidth;
            uv[3] = rows[row + 1] / texHeight;
        }
    }

    _margin.left = (int)(_margin.left * scale);
    _margin.right = (int)(_margin.right * scale);
    _margin.top = (int)(_margin.top * scale);
    _margin.bottom = (int)(_margin.bottom * scale);

    _width = w;
    _height = h;
}

void Bordered::DrawPiece(Renderer::Base* renderer, int index, int x, int y, int w, int h)
{
    const float* uv = _pieces[index].uv;
    renderer->DrawTexturedRect(_texture, Rect(x, y, w, h), uv[0], uv[1], uv[2], uv[3]);
}

void Bordered::Draw(Renderer::Base* renderer, Rect rect, bool b0, bool b1, bool b2, bool b3, bool b4, bool b5,
                    bool b6, bool b7, bool b8)
{
    if (_texture == nullptr)
    {
        return;
    }
    renderer->SetDrawColor(Colors::White);

    if (rect.w < _width && rect.h < _height)
    {
        renderer->DrawTexturedRect(_texture, rect, _pieces[0].uv[0], _pieces[0].uv[1], _pieces[8].uv[2],
                                   _pieces[8].uv[3]);
        return;
    }

    const int t = _margin.top;
    const int b = _margin.bottom;
    const int l = _margin.left;
    const int r = _margin.right;
    const int middleWidth = rect.w - l - r;
    const int middleHeight = rect.h - t - b;
    const int right = rect.x + rect.w - r;
    const int bottom = rect.y + rect.h - b;
    const bool draw[kPieceCount] = {b0, b1, b2, b3, b4, b5, b6, b7, b8};
    const int xs[3] = {rect.x, rect.x + l, right};
    const int ws[3] = {l, middleWidth, r};
    const int ys[3] = {rect.y, rect.y + t, bottom};
    const int hs[3] = {t, middleHeight, b};
    for (int index = 0; index < kPieceCount; ++index)
    {
        if (draw[index])
        {
            const int row = index / 3;
            const int column = index % 3;
            DrawPiece(renderer, index, xs[column], ys[row], ws[column], hs[row]);
        }
    }
}
}
}
}
