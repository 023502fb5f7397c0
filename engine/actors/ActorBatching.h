#pragma once

#include "engine/actors/Actor.h"

#include <type_traits>
#include <typeinfo>

class Renderable;
class TextActor;

// Which renderables the World's layer pass may draw through the shared sprite batch.
//
// An actor goes into the batch only when its class draws exactly as Actor::Render does:
// Actor itself and the engine's subclasses that keep Actor's drawing. A class that overrides
// Render (or draws anything around Actor::Render) draws by itself, after the batch has been
// flushed. Classes are matched exactly, so a subclass never inherits the permission; a game
// class that keeps Actor's drawing can be allowed with AllowActorBatching<TheClass>().

void AllowActorClassBatching(const std::type_info& actorClass);
template <class ActorClass>
void AllowActorBatching()
{
    static_assert(std::is_base_of<Actor, ActorClass>::value, "only actors can be batched");
    AllowActorClassBatching(typeid(ActorClass));
}
// The actor behind renderable when it may be batched now (its class is allowed, batching is
// on and its shape is a square or a circle), else null.
Actor* BatchableActor(Renderable* renderable);

// On by default; off draws every actor on its own, for comparisons.
void SetActorBatchingEnabled(bool enabled);
bool IsActorBatchingEnabled();

// The text actor behind renderable when its lines may go into the shared text batch: its
// class is TextActor itself (a subclass may draw more around the text) and text batching is
// on (TextBatch::SetEnabled); TextActor::AddToBatch then says whether these lines can. Else null.
TextActor* BatchableText(Renderable* renderable);
