#pragma once

#include "gui/Texture.h"
#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"

namespace Gui
{
    namespace Controls
    {
        // Draws one image, stretched over the control or at its own size. The panel owns its
        // texture and frees it through the skin's renderer when it goes.
        class ImagePanel : public Base
        {
            GUI_CONTROL_TYPE(ImagePanel, Base)

        public:
            explicit ImagePanel(Base* parent, const std::string& name = "");
            ~ImagePanel() override;

            // Texture coordinates: (left u, top v) to (right u, bottom v).
            virtual void SetUV(float u1, float v1, float u2, float v2);
            // Loads the image through the skin's renderer; a file that fails to load is drawn
            // as the renderer's missing image.
            virtual void SetImage(const TextPair& imageName);
            virtual const TextPair& GetImage() { return _texture.name; }
            virtual int TextureWidth() { return _texture.width; }
            virtual int TextureHeight() { return _texture.height; }
            virtual const TextPair& GetImageName() { return _texture.name; }
            virtual void SizeToContents() { SetSize(_texture.width, _texture.height); }
            // A tint multiplied into the image.
            virtual void SetDrawColor(const Color& color) { _drawColor = color; }
            virtual bool FailedToLoad() { return _texture.failed; }
            virtual bool GetStretch() { return _stretch; }
            virtual void SetStretch(bool stretch) { _stretch = stretch; }

        protected:
            void Render(Skin::Base* skin) override;

        private:
            Texture _texture;
            float _uv[4] = {0.0f, 0.0f, 1.0f, 1.0f};
            Color _drawColor;
            bool _stretch = true;
        };
    }
}
