#pragma once

#include <list>
#include <map>

class Renderable;

// Walks every renderable on the World's layers: layers ascending, each in insertion order.
// Past the last renderable it holds null.
class WorldIterator
{
public:
    WorldIterator();

    WorldIterator& begin();
    WorldIterator& end();
    WorldIterator& operator++()
    {
        // Inline, with the step within a layer first: the World walks every renderable
        // several times a frame.
        if (_layer != _layers->end())
        {
            if (++_current != _layer->second.end())
            {
                _renderable = *_current;
                return *this;
            }
            SkipEmptyLayers();
        }
        return *this;
    }
    Renderable* operator*() const { return _renderable; }
    bool operator==(const WorldIterator& other) const;
    bool operator!=(const WorldIterator& other) const;
    // Unlinks the current renderable from its layer; returns the iterator at the next one.
    const WorldIterator& erase();

private:
    void SkipEmptyLayers();

    typedef std::map<int, std::list<Renderable*> > LayerMap;

    LayerMap* _layers;
    LayerMap::iterator _layer;
    std::list<Renderable*>::iterator _current;
    Renderable* _renderable;
};
