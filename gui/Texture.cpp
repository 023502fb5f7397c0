#include "gui/Texture.h"

#include "gui/platform/Debug.h"
#include "gui/renderer/Base.h"

namespace Gui
{
void Texture::Load(const TextPair& filename, Renderer::Base* renderer)
{
    name = filename;
    if (!Assert(renderer != nullptr, "No renderer!"))
    {
        return;
    }
    renderer->LoadTexture(this);
}

void Texture::Release(Renderer::Base* renderer)
{
    if (renderer != nullptr)
    {
        renderer->FreeTexture(this);
    }
}
}
