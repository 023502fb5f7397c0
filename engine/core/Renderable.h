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

    // Marks the renderable as held by an owner that keeps a pointer to it and puts it on and
    // off its layer itself (a form's buttons, a ship's life bar, the camera). Scripts can't
    // take a held renderable off its layer or destroy it (nor place the camera on one), and
    // an unload of the World only takes it off its layer. A holder that lets go of it when it is destroyed (told in its PreDestroy,
    // as the game's ships tell the game) passes destroyable: then scripts and the unload may
    // destroy it. holder names the owner in a script's error ("the game") and must outlive
    // the renderable, as a string literal does; null lets go of it.
    void SetHolder(const char* holder, bool destroyable = false);
    // Null when nothing holds it.
    const char* GetHolder() const { return _holder; }
    // True unless a holder keeps it and does not let go of it when it is destroyed.
    bool MayBeDestroyedByOthers() const { return _holder == 0 || _destroyableByOthers; }

private:
    friend class World;
    friend class WorldIterator;

    bool _destroyed;
    int _layer;
    // Whether the World holds it on a layer now, so a second add can be refused.
    bool _onLayer;
    const char* _holder;
    bool _destroyableByOthers;
};
