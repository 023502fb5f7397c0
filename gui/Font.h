#pragma once

#include <string>

// A font request and the renderer's handle for it. Owned by whoever holds it (the skin its
// default font, a label its own); the holder must give the handle back through the
// renderer's FreeFont before the record goes.
namespace Gui
{
    struct Font
    {
        std::wstring facename = L"Arial";
        float size = 10.0f;
        bool bold = false;
        // The renderer's handle: set by its LoadFont, cleared by its FreeFont.
        void* data = nullptr;
        // The size actually loaded (size times the canvas scale), set by the renderer.
        float realsize = 0.0f;
    };
}
