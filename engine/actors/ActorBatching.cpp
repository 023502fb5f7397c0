#include "engine/actors/ActorBatching.h"

#include "engine/actors/Actor.h"
#include "engine/actors/FullScreenActor.h"
#include "engine/actors/TextActor.h"
#include "engine/core/Renderable.h"
#include "engine/rendering/TextBatch.h"
#include "engine/physics/PhysicsActor.h"

#include <vector>

namespace
{
bool s_enabled = true;

// A handful of classes at most, so a list beats a hashed set.
std::vector<const std::type_info*>& AllowedClasses()
{
    static std::vector<const std::type_info*> classes = {&typeid(Actor), &typeid(PhysicsActor),
                                                         &typeid(FullScreenActor)};
    return classes;
}

bool IsAllowed(const std::type_info& type)
{
    for (const std::type_info* allowed : AllowedClasses())
    {
        if (*allowed == type)
        {
            return true;
        }
    }
    return false;
}
}

void AllowActorClassBatching(const std::type_info& actorClass)
{
    if (!IsAllowed(actorClass))
    {
        AllowedClasses().push_back(&actorClass);
    }
}

Actor* BatchableActor(Renderable* renderable)
{
    if (!s_enabled || !IsAllowed(typeid(*renderable)))
    {
        return 0;
    }
    // Every allowed class is an Actor, so the downcast is safe without a dynamic_cast.
    Actor* actor = static_cast<Actor*>(renderable);
    return actor->GetDrawShape() != ADS_DisplayList ? actor : 0;
}

void SetActorBatchingEnabled(bool enabled) { s_enabled = enabled; }

bool IsActorBatchingEnabled() { return s_enabled; }

TextActor* BatchableText(Renderable* renderable)
{
    if (!TextBatch::IsEnabled() || typeid(*renderable) != typeid(TextActor))
    {
        return 0;
    }
    return static_cast<TextActor*>(renderable);
}
