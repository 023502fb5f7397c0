#pragma once

// The base of everything the World keeps on a layer, updates once per tick and draws once
// per frame. Objects end their life by being destroyed (marked); the World deletes them.
class Renderable
{
public:
    Renderable();
    virtual ~Renderable();

    virtual void Update(float dt);
    virtual void Render();
    // Runs once, inside the call that destroys the object.
    virtual void PreDestroy();

    void Destroy();
    bool IsDestroyed() const { return _destroyed; }
    int GetLayer() const { return _layer; }

private:
    friend class World;
    friend class WorldIterator;

    bool _destroyed;
    int _layer;
    // Whether the World holds it on a layer now, so a second add can be refused.
    bool _onLayer;
};
