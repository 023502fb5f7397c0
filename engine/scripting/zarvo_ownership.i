// Part of the script module "zarvo" (included by zarvo.i): who owns a renderable between
// scripts and the engine, so that nothing is freed twice, freed under its holder, or left
// to no one.
//
// - A script owns what it makes until it hands it to the World (World:Add, or a move that
//   puts it on a layer): then every handle of it gives it up, not only the one passed.
// - What a script's own handle gave to the World becomes the script's again on a script's
//   World:Remove, through the handle it removed by, so that something taken off its layer
//   is freed when the script lets go of it. What the engine owns stays the engine's.
// - A renderable the game or the engine holds (Renderable::SetHolder) lives as long as its
//   holder wants: Destroy on it is a script error where the holder does not let go of it on
//   its own destruction. World:Remove only unlinks it and gives the script nothing; its
//   holder still ends it. The camera is never on a layer (the World moves and draws it
//   itself), so an add or a move that would put it on one is a script error too. Other moves
//   and adds are the World's as for anything.
// - An object a script owns is deleted when its owning handle is collected (zarvo_safety.i);
//   a renderable ends as the World ends one: destroyed (its PreDestroy tells whoever watches
//   it), then deleted.

%{
#include "engine/rendering/Camera.h"

// The renderable a handle of a class derived from Renderable stands for, else null.
static Renderable* ZarvoRenderableOf(swig_type_info* type, void* object)
{
    swig_cast_info* cast = object != 0 ? SWIG_TypeCheckStruct(type, SWIGTYPE_p_Renderable) : 0;
    if (cast == 0)
        return 0;
    int newMemory = 0;
    return static_cast<Renderable*>(SWIG_TypeCast(cast, object, &newMemory));
}

// What a script asks of a renderable that the refusals of held ones look at.
enum ZarvoRenderableUse
{
    ZARVO_USE_Destroy,
    ZARVO_USE_Place // an add to a layer, or a move that really puts it on another
};

static bool ZarvoIsRefused(const Renderable* renderable, ZarvoRenderableUse use)
{
    if (renderable == 0 || renderable->GetHolder() == 0)
        return false;
    if (use == ZARVO_USE_Destroy)
        return !renderable->MayBeDestroyedByOthers();
    return dynamic_cast<const Camera*>(renderable) != 0;
}

// Pushes the script error and answers true when the use of a held renderable is refused.
static bool ZarvoRefuseHeld(lua_State* L, const Renderable* renderable, const char* function, int argument,
                            ZarvoRenderableUse use)
{
    if (!ZarvoIsRefused(renderable, use))
        return false;
    SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), the object belongs to %s, which still uses it", function,
                            argument, renderable->GetHolder());
    return true;
}

// Every handle of a renderable the World now has gives it up; one the script owned is
// remembered as the script's gift.
static void ZarvoGiveUp(lua_State* L, const Renderable* renderable)
{
    if (ZarvoDisownAll(L, renderable))
        ZarvoGivenToWorld().insert(renderable);
}

// A script's gift the World no longer has is owned again by the handle at index.
static void ZarvoTakeBack(lua_State* L, int index, const Renderable* renderable)
{
    if (ZarvoGivenToWorld().erase(renderable) == 0)
        return;
    swig_lua_userdata* handle = ZarvoUserdata(L, index);
    if (handle == 0 || handle->ptr == 0 || handle->type == 0)
        return;
    swig_lua_class* type = static_cast<swig_lua_class*>(handle->type->clientdata);
    if (type != 0 && type->destructor != 0)
        handle->own = 1;
}

// The layer a move asks for, by number or by name.
static int ZarvoLayerOf(int layer) { return layer; }
static int ZarvoLayerOf(const String* layerName) { return World::GetInstance()->GetLayerByName(*layerName); }

static void ZarvoDeleteOwned(swig_type_info* type, void* object)
{
    Renderable* renderable = ZarvoRenderableOf(type, object);
    if (renderable != 0)
        renderable->Destroy();
    static_cast<swig_lua_class*>(type->clientdata)->destructor(object);
}
%}

%exception Renderable::Destroy %{
    if (ZarvoRefuseHeld(L, arg1, "$symname", 1, ZARVO_USE_Destroy))
        SWIG_fail;
    $action
%}
%exception World::Add %{
    if (ZarvoRefuseHeld(L, arg2, "$symname", 2, ZARVO_USE_Place))
        SWIG_fail;
    $action
    if (arg2 != 0)
        ZarvoGiveUp(L, arg2);
%}
%exception World::Remove %{
    $action
    if (arg2 != 0 && !arg1->Contains(arg2))
        ZarvoTakeBack(L, 2, arg2);
%}

// A move puts on a layer what is on none; one to the layer the renderable last had queues
// nothing and gives nothing.
%exception World::UpdateLayer %{
    {
        const bool moves = arg2->GetLayer() != ZarvoLayerOf(arg3);
        if (moves && ZarvoRefuseHeld(L, arg2, "$symname", 2, ZARVO_USE_Place))
            SWIG_fail;
        $action
        if (moves)
            ZarvoGiveUp(L, arg2);
    }
%}
%exception Actor::SetLayer %{
    {
        const bool moves = arg1->GetLayer() != ZarvoLayerOf(arg2);
        if (moves && ZarvoRefuseHeld(L, arg1, "$symname", 1, ZARVO_USE_Place))
            SWIG_fail;
        $action
        if (moves)
            ZarvoGiveUp(L, arg1);
    }
%}

%ignore Renderable::SetHolder;
%ignore Renderable::GetHolder;
%ignore Renderable::MayBeDestroyedByOthers;
