#include "gui/animation/Animations.h"

#include "gui/animation/Animation.h"

#include <list>
#include <map>
#include <memory>

namespace Gui
{
namespace Anim
{
namespace
{
typedef std::list<std::unique_ptr<Animation>> AnimationList;

std::map<Controls::Base*, AnimationList>& Registry()
{
    static std::map<Controls::Base*, AnimationList> registry;
    return registry;
}
}

void Add(Controls::Base* control, Animation* animation)
{
    animation->m_Control = control;
    Registry()[control].emplace_back(animation);
}

void Cancel(Controls::Base* control)
{
    Registry().erase(control);
}

void Think()
{
    // Works on a snapshot of the controls, and looks each one up again: an animation's work
    // may delete controls (cancelling their animations) or start new ones.
    std::list<Controls::Base*> controls;
    for (const auto& entry : Registry())
    {
        controls.push_back(entry.first);
    }
    for (Controls::Base* control : controls)
    {
        auto entry = Registry().find(control);
        if (entry == Registry().end())
        {
            continue;
        }
        AnimationList& animations = entry->second;
        for (AnimationList::iterator it = animations.begin(); it != animations.end();)
        {
            Animation* animation = it->get();
            animation->Think();
            if (Registry().find(control) == Registry().end())
            {
                break;
            }
            if (animation->Finished())
            {
                it = animations.erase(it);
            }
            else
            {
                ++it;
            }
        }
    }
}

int Count(Controls::Base* control)
{
    auto entry = Registry().find(control);
    return entry == Registry().end() ? 0 : (int)entry->second.size();
}
}
}
