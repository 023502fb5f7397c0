#include "engine/core/Renderable.h"

#include "engine/core/World.h"
#include "engine/util/DeletionNotice.h"

Renderable::Renderable() : _destroyed(false), _layer(0), _onLayer(false) {}

// Renderables are meant to end through Destroy and the World's cleanup pass, which unlinks
// them first; one deleted directly (by an owner's destructor) must not stay on its layer.
Renderable::~Renderable()
{
    DeletionNotice::Send(this);
    if (_onLayer)
    {
        World::GetInstance()->Forget(this);
    }
}

void Renderable::Update(float /*dt*/) {}

void Renderable::Render() {}

void Renderable::PreDestroy() {}

void Renderable::Destroy()
{
    if (_destroyed)
    {
        return;
    }
    PreDestroy();
    _destroyed = true;
    if (World::HasInstance())
    {
        World::GetInstance()->NoteDestroyed();
    }
}
