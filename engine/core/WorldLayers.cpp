// The World's layers, the deferred changes made while they are locked, the cleanup and
// unload passes, and the timed debug drawings.
#include "engine/core/World.h"

#include "engine/actors/Actor.h"
#include "engine/actors/ActorBatching.h"
#include "engine/actors/TextActor.h"
#include "engine/core/DebugDraw.h"
#include "engine/core/GameManager.h"
#include "engine/core/Renderable.h"
#include "engine/core/WorldIterator.h"
#include "engine/log/CompoundLog.h"
#include "engine/rendering/SpriteBatch.h"
#include "engine/rendering/TextBatch.h"

#include <GL/gl.h>

void World::Add(Renderable* renderable, int layer)
{
    if (renderable == 0)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: Can't add a null element to the World.");
        return;
    }
    // Registering the current name again keeps it unique.
    Actor* actor = dynamic_cast<Actor*>(renderable);
    if (actor != 0 && !_processingDeferredAdds)
    {
        actor->SetName(actor->GetName());
    }
    if (_locked)
    {
        _deferredAdds.push_back(RenderableAndLayer(renderable, layer));
        return;
    }
    // A second entry would be updated twice and deleted twice.
    if (renderable->_onLayer)
    {
        CompoundLog::GetSystemLog().Printf(
            "WARNING: Renderable is already on layer %d; not added again.", renderable->_layer);
        return;
    }
    renderable->_layer = layer;
    renderable->_onLayer = true;
    _layers[layer].push_back(renderable);
    if (renderable->IsDestroyed())
    {
        _destroyedWaiting = true;
    }
}

void World::Add(Renderable* renderable, const String& layerName)
{
    Add(renderable, GetLayerByName(layerName));
}

void World::Remove(Renderable* renderable)
{
    if (renderable == 0)
    {
        return;
    }
    if (_locked)
    {
        _deferredRemoves.push_back(renderable);
        return;
    }
    // A pending layer change would otherwise bring it back at the next tick.
    CancelPendingLayerChanges(renderable);
    if (CancelPendingAdd(renderable))
    {
        return;
    }
    Unlink(renderable);
}

void World::Unlink(Renderable* renderable)
{
    // Where a pass's walk stands next: the walk takes it off and moves on to the one after.
    if (_passWalk != 0 && **_passWalk == renderable)
    {
        _passWalk->erase();
        return;
    }
    RenderLayers::iterator layer = _layers.find(renderable->_layer);
    if (!renderable->_onLayer || layer == _layers.end())
    {
        return;
    }
    for (RenderList::iterator it = layer->second.begin(); it != layer->second.end(); ++it)
    {
        if (*it == renderable)
        {
            layer->second.erase(it);
            renderable->_onLayer = false;
            return;
        }
    }
}

bool World::Contains(const Renderable* renderable) const
{
    return renderable->_onLayer || IsPendingAdd(renderable);
}

bool World::IsPendingAdd(const Renderable* renderable) const
{
    for (std::list<RenderableAndLayer>::const_iterator it = _deferredAdds.begin(); it != _deferredAdds.end(); ++it)
    {
        if (it->first == renderable)
        {
            return true;
        }
    }
    return false;
}

bool World::CancelPendingAdd(Renderable* renderable)
{
    for (std::list<RenderableAndLayer>::iterator it = _deferredAdds.begin();
         it != _deferredAdds.end(); ++it)
    {
        if (it->first == renderable)
        {
            _deferredAdds.erase(it);
            return true;
        }
    }
    return false;
}

void World::CancelPendingLayerChanges(Renderable* renderable)
{
    for (std::list<RenderableAndLayer>::iterator it = _deferredLayerChanges.begin();
         it != _deferredLayerChanges.end();)
    {
        it = (it->first == renderable) ? _deferredLayerChanges.erase(it) : ++it;
    }
}

void World::Forget(Renderable* renderable)
{
    Unlink(renderable);
    ForgetDeferred(renderable);
}

void World::ForgetDeferred(Renderable* renderable)
{
    for (std::list<RenderableAndLayer>::iterator it = _deferredAdds.begin(); it != _deferredAdds.end();)
    {
        it = (it->first == renderable) ? _deferredAdds.erase(it) : ++it;
    }
    CancelPendingLayerChanges(renderable);
    _deferredRemoves.remove(renderable);
}

void World::UpdateLayer(Renderable* renderable, int layer)
{
    if (renderable->_layer == layer)
    {
        return;
    }
    _deferredLayerChanges.push_back(RenderableAndLayer(renderable, layer));
}

void World::UpdateLayer(Renderable* renderable, const String& layerName)
{
    UpdateLayer(renderable, GetLayerByName(layerName));
}

void World::NameLayer(const String& name, int layer) { _layerNames[name] = layer; }

int World::GetLayerByName(const String& name)
{
    std::map<String, int>::iterator it = _layerNames.find(name);
    return it == _layerNames.end() ? 0 : it->second;
}

WorldIterator World::GetFirstRenderable()
{
    WorldIterator it;
    return it.begin();
}

WorldIterator World::GetLastRenderable()
{
    WorldIterator it;
    return it.end();
}

void World::UpdateRenderables(float dt)
{
    for (WorldIterator it = GetFirstRenderable(); *it != 0; ++it)
    {
        (*it)->Update(dt);
    }
}

// A renderable that a destructor destroys during the pass is deleted by this pass when the
// walk has still to reach it, and by the next one otherwise.
void World::CleanUpDestroyed()
{
    if (!_destroyedWaiting)
    {
        return;
    }
    _destroyedWaiting = false;
    WorldIterator walk = GetFirstRenderable();
    _passWalk = &walk;
    while (*walk != 0)
    {
        Renderable* renderable = *walk;
        if (!renderable->IsDestroyed())
        {
            ++walk;
            continue;
        }
        walk.erase();
        delete renderable;
    }
    _passWalk = 0;
}

void World::ApplyDeferredChanges()
{
    _processingDeferredAdds = true;
    std::list<RenderableAndLayer> adds;
    adds.swap(_deferredAdds);
    for (std::list<RenderableAndLayer>::iterator it = adds.begin(); it != adds.end(); ++it)
    {
        Add(it->first, it->second);
    }
    _processingDeferredAdds = false;

    std::list<RenderableAndLayer> changes;
    changes.swap(_deferredLayerChanges);
    for (std::list<RenderableAndLayer>::iterator it = changes.begin(); it != changes.end(); ++it)
    {
        Unlink(it->first);
        Add(it->first, it->second);
    }

    std::list<Renderable*> removes;
    removes.swap(_deferredRemoves);
    for (std::list<Renderable*>::iterator it = removes.begin(); it != removes.end(); ++it)
    {
        Remove(*it);
    }
}

void World::UnloadAll()
{
    if (_locked || _unloading)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: The World can't unload while it updates, cleans up or "
                                           "unloads its renderables; nothing was unloaded.");
        return;
    }
    _unloading = true;
    WorldIterator walk = GetFirstRenderable();
    _passWalk = &walk;
    while (*walk != 0)
    {
        UnloadOne(walk);
    }
    _passWalk = 0;
    _unloading = false;
    PurgeDebugDrawing();
}

// What a PreDestroy adds on a layer the walk has yet to reach is unloaded in turn.
void World::UnloadOne(WorldIterator& walk)
{
    Renderable* renderable = *walk;
    if (_gameManager != 0 && _gameManager->IsProtectedFromUnload(renderable))
    {
        ++walk;
        Actor* actor = dynamic_cast<Actor*>(renderable);
        if (actor != 0)
        {
            actor->LevelUnloaded();
        }
        return;
    }
    walk.erase();
    // Held: its holder goes on using it and ends it itself.
    if (!renderable->MayBeDestroyedByOthers() && !renderable->IsDestroyed())
    {
        return;
    }
    renderable->Destroy();
    delete renderable;
}

void World::DeleteAllRenderables()
{
    // Still waiting to be added: their owners may yet delete them, so they are only dropped.
    _deferredAdds.clear();
    _deferredLayerChanges.clear();
    _deferredRemoves.clear();
    // A renderable may delete others that it owns, so each round starts from the front.
    for (Renderable* renderable = *GetFirstRenderable(); renderable != 0; renderable = *GetFirstRenderable())
    {
        Forget(renderable);
        delete renderable;
    }
    PurgeDebugDrawing();
}

// Runs of plain actors go through the shared sprite batch and runs of text actors through
// the shared text batch; anything else draws by itself once both have drawn what waits, so
// the order on screen stays that of the layers.
void World::DrawRenderables()
{
    SpriteBatch& sprites = SpriteBatch::Shared();
    TextBatch& texts = TextBatch::Shared();
    for (WorldIterator it = GetFirstRenderable(); *it != 0; ++it)
    {
        Actor* actor = BatchableActor(*it);
        if (actor != 0)
        {
            if (!texts.IsEmpty())
            {
                texts.Flush();
            }
            actor->AddToBatch(sprites);
            continue;
        }
        TextActor* text = BatchableText(*it);
        if (text != 0)
        {
            sprites.Flush();
            if (text->AddToBatch(texts))
            {
                continue;
            }
        }
        sprites.Flush();
        texts.Flush();
        (*it)->Render();
    }
    sprites.Flush();
    texts.Flush();
}

void World::DrawDebugLine(const Vector2& from, const Vector2& to, float lifetime, const Color& color)
{
    DebugLine* line = new DebugLine(from, to);
    line->_lifetime = lifetime;
    line->_permanent = lifetime < 0.0f;
    line->_color = color;
    _debugDrawings.push_back(line);
}

void World::PurgeDebugDrawing()
{
    for (std::list<DebugDrawBase*>::iterator it = _debugDrawings.begin(); it != _debugDrawings.end(); ++it)
    {
        delete *it;
    }
    _debugDrawings.clear();
}

void World::UpdateDebugDrawings(float frameDT)
{
    std::list<DebugDrawBase*>::iterator it = _debugDrawings.begin();
    while (it != _debugDrawings.end())
    {
        DebugDrawBase* item = *it;
        if (!item->_permanent)
        {
            item->_lifetime -= frameDT;
        }
        if (item->_permanent || item->_lifetime > 0.0f)
        {
            ++it;
            continue;
        }
        delete item;
        it = _debugDrawings.erase(it);
    }
}

void World::DrawDebugDrawings()
{
    for (std::list<DebugDrawBase*>::iterator it = _debugDrawings.begin(); it != _debugDrawings.end(); ++it)
    {
        const Color& c = (*it)->_color;
        glColor4f(c.R, c.G, c.B, c.A);
        (*it)->Draw();
    }
}
