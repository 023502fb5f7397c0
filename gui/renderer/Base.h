#pragma once

#include "gui/Color.h"
#include "gui/Font.h"
#include "gui/Point.h"
#include "gui/Rect.h"
#include "gui/Texture.h"

#include <string>

namespace Gui
{
    namespace Renderer
    {
        class ICacheToTexture;

        // The toolkit's one drawing back end. Controls move the render offset and the clip
        // region while they walk the tree; the skin issues the drawing calls between Begin
        // and End. Positions are in offset coordinates: Translate adds the offset and scales.
        // The base draws nothing itself except through the few operations built on
        // SetDrawColor and DrawFilledRect (outlines, pixels, the missing-image block and the
        // placeholder text).
        class Base
        {
        public:
            Base() {}
            virtual ~Base() {}
            Base(const Base&) = delete;
            Base& operator=(const Base&) = delete;

            virtual void Init() {}
            virtual void Begin() {}
            virtual void End() {}

            virtual void SetDrawColor(Color) {}
            virtual void DrawFilledRect(Rect) {}
            // Switch clipping to the current clip region, and off again.
            virtual void StartClip() {}
            virtual void EndClip() {}

            // Fills in the texture's data, size and failed flag. The texture must stay alive
            // until FreeTexture.
            virtual void LoadTexture(Texture*) {}
            virtual void FreeTexture(Texture*) {}
            // Texture coordinates (ua, va) at the top left, (ub, vb) at the bottom right.
            virtual void DrawTexturedRect(Texture* texture, Rect rect, float ua = 0.0f, float va = 0.0f,
                                          float ub = 1.0f, float vb = 1.0f)
            {
                (void)texture, (void)rect, (void)ua, (void)va, (void)ub, (void)vb;
            }
            // A red block; the draw colour stays red.
            virtual void DrawMissingImage(Rect rect);
            // The default outside the image or without one.
            virtual Color GetPixelColor(Texture* texture, unsigned int x, unsigned int y, const Color& defaultColor)
            {
                return (void)texture, (void)x, (void)y, defaultColor;
            }
            virtual ICacheToTexture* GetRenderCache() { return nullptr; }

            // Fills in the font's data and real size; the font must stay alive until FreeFont.
            virtual void LoadFont(Font*) {}
            virtual void FreeFont(Font*) {}
            virtual void RenderText(Font* font, Point pos, const std::string& text);
            // Boxes in place of letters, for back ends without fonts.
            virtual void RenderText(Font* font, Point pos, const std::wstring& text);
            virtual Point MeasureText(Font* font, const std::string& text);
            // An estimate from the font size.
            virtual Point MeasureText(Font* font, const std::wstring& text);

            virtual void DrawOutlineRect(Rect rect);
            virtual void DrawPixel(int x, int y);
            // An outline with open corners: one pixel cut off each when slight, else two with
            // a pixel set inside each corner.
            virtual void DrawCutCornerRect(Rect rect, bool slight = false);

            // Hooks for a toolkit that owns its window; this program's host draws into the
            // engine's window, so they answer false.
            virtual bool InitializeContext(void* window) { return (void)window, false; }
            virtual bool ShutdownContext(void* window) { return (void)window, false; }
            virtual bool ResizedContext(void* window, int w, int h) { return (void)window, (void)w, (void)h, false; }
            virtual bool BeginContext(void* window) { return (void)window, false; }
            virtual bool EndContext(void* window) { return (void)window, false; }
            virtual bool PresentContext(void* window) { return (void)window, false; }

            // In place: adds the offset, then scales, rounding up.
            void Translate(int& x, int& y);
            // The same for the position; the size is only scaled.
            void Translate(Rect& rect);

            void SetRenderOffset(const Point& offset) { _renderOffset = offset; }
            void AddRenderOffset(const Rect& offset);
            const Point& GetRenderOffset() const { return _renderOffset; }

            void SetClipRegion(Rect rect) { _clipRegion = rect; }
            // Narrows the clip region to a rectangle of the given size placed at the current
            // render offset (the rectangle's own x and y are not used).
            void AddClipRegion(Rect rect);
            bool ClipRegionVisible() const { return _clipRegion.w > 0 && _clipRegion.h > 0; }
            const Rect& ClipRegion() const { return _clipRegion; }

            void SetScale(float scale) { _scale = scale; }
            float Scale() const { return _scale; }

        private:
            Point _renderOffset;
            Rect _clipRegion;
            float _scale = 1.0f;
        };
    }
}
