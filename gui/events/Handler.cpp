#include "gui/events/Handler.h"

#include "gui/events/Dispatcher.h"

namespace Gui
{
namespace Event
{
Handler::~Handler()
{
    while (!_sources.empty())
    {
        // RemoveHandler drops every entry of that source from our list.
        _sources.front()->RemoveHandler(this);
    }
}

void Handler::RegisterCaller(Dispatcher* source)
{
    _sources.push_back(source);
}

void Handler::UnRegisterCaller(Dispatcher* source)
{
    _sources.remove(source);
}
}
}
