#include "engine/core/WorldIterator.h"

#include "engine/core/Renderable.h"
#include "engine/core/World.h"

WorldIterator::WorldIterator() : _layers(&World::GetInstance()->_layers), _renderable(0)
{
    _layer = _layers->end();
}

WorldIterator& WorldIterator::begin()
{
    _layer = _layers->begin();
    if (_layer != _layers->end())
    {
        _current = _layer->second.begin();
    }
    SkipEmptyLayers();
    return *this;
}

WorldIterator& WorldIterator::end()
{
    _layer = _layers->end();
    _renderable = 0;
    return *this;
}

void WorldIterator::SkipEmptyLayers()
{
    while (_layer != _layers->end() && _current == _layer->second.end())
    {
        ++_layer;
        if (_layer != _layers->end())
        {
            _current = _layer->second.begin();
        }
    }
    _renderable = (_layer == _layers->end()) ? 0 : *_current;
}

bool WorldIterator::operator==(const WorldIterator& other) const
{
    return _renderable == other._renderable;
}

bool WorldIterator::operator!=(const WorldIterator& other) const { return !(*this == other); }

const WorldIterator& WorldIterator::erase()
{
    if (_layer != _layers->end())
    {
        (*_current)->_onLayer = false;
        _current = _layer->second.erase(_current);
        SkipEmptyLayers();
    }
    return *this;
}
