#include "engine/core/Renderable.h"

#include "engine/core/World.h"
#include "engine/util/DeletionNotice.h"

Renderable::Renderable()
    : _destroyed(false), _layer(0), _onLayer(false), _holder(0), _destroyableByOthers(false)
{
}

// Runs after every derived destructor, so the World also forgets what those did to it on the
// way (a form that removes itself, a member button deleted with its form): no layer, deferred
// list or running pass keeps a pointer to the object.
Renderable::~Renderable()
{
    DeletionNotice::Send(this);
    if (World::HasInstance())
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

void Renderable::SetHolder(const char* holder, bool destroyable)
{
    _holder = holder;
    _destroyableByOthers = destroyable;
}
