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
    WorldIterator& operator++();
    Renderable* operator*() const;
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
