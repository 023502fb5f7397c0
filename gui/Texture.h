#pragma once

#include "gui/TextPair.h"

namespace Gui
{
    namespace Renderer
    {
        class Base;
    }

    // An image known to a renderer. Whoever loads it releases it through the same renderer.
    // Width and height start at 4, not 0, so texture coordinates computed from an unloaded
    // texture never divide by zero.
    struct Texture
    {
        TextPair name;
        // The renderer's handle: set by its LoadTexture, cleared by its FreeTexture.
        void* data = nullptr;
        bool failed = false;
        int width = 4;
        int height = 4;

        // A null renderer is a caller's mistake: asserted, and nothing is loaded.
        void Load(const TextPair& filename, Renderer::Base* renderer);
        void Release(Renderer::Base* renderer);
    };
}
