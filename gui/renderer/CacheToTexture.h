#pragma once

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Renderer
    {
        // A renderer's facility for drawing a control once into a texture and then reusing
        // that picture until the control changes. Renderers without one answer null from
        // GetRenderCache and controls draw directly.
        class ICacheToTexture
        {
        public:
            virtual ~ICacheToTexture() {}
            virtual void CreateControlCacheTexture(Controls::Base* control) = 0;
            // Starts drawing into the control's texture; FinishCacheTexture ends it.
            virtual void SetupCacheTexture(Controls::Base* control) = 0;
            virtual void FinishCacheTexture(Controls::Base* control) = 0;
            virtual void DrawCachedControlTexture(Controls::Base* control) = 0;
        };
    }
}
