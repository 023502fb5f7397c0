// Part of the script module "zarvo" (included by zarvo.i): who owns a renderable between
// scripts and the engine, so that nothing is freed twice, freed under its holder, or left
// to no one.
//
// - A script owns what it makes until it hands it to the World (World:Add): then every
//   handle of it gives it up, not only the one passed.
// - What the World gives up on a script's World:Remove becomes the script's again, through
//   the handle it removed by, so that something taken off its layer is freed when the
//   script lets go of it.
// - A renderable the game or the engine holds (Renderable::SetHolder) is its holder's to
//   place and to end: World:Add, World:Remove, a move to another layer and Destroy on it
//   are script errors, Destroy only where the holder does not let go of it on its own
//   destruction.
// - A renderable a script owns ends as the World ends one: destroyed (its PreDestroy tells
//   whoever watches it), then deleted.

%{
// The renderable a handle of a class derived from Renderable stands for, else null.
static Renderable* ZarvoRenderableOf(swig_type_info* type, void* object)
{
    swig_cast_info* cast = object != 0 ? SWIG_TypeCheckStruct(type, SWIGTYPE_p_Renderable) : 0;
    if (cast == 0)
        return 0;
    int newMemory = 0;
    return static_cast<Renderable*>(SWIG_TypeCast(cast, object, &newMemory));
}

// Pushes the script error and answers true when a held renderable is refused.
static bool ZarvoRefuseHeld(lua_State* L, const Renderable* renderable, const char* function, int argument,
                            bool destroying)
{
    if (renderable == 0 || renderable->GetHolder() == 0 || (destroying && renderable->MayBeDestroyedByOthers()))
        return false;
    SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), the object belongs to %s, which still uses it", function,
                            argument, renderable->GetHolder());
    return true;
}

static void ZarvoGiveUp(const Renderable* renderable)
{
    ZarvoHandleMap::iterator entry = ZarvoHandles().find(renderable);
    if (entry == ZarvoHandles().end())
        return;
    for (swig_lua_userdata* handle : entry->second)
        handle->own = 0;
}

static void ZarvoTakeBack(lua_State* L, int index)
{
    swig_lua_userdata* handle = ZarvoUserdata(L, index);
    if (handle == 0 || handle->ptr == 0 || handle->type == 0)
        return;
    swig_lua_class* type = static_cast<swig_lua_class*>(handle->type->clientdata);
    if (type != 0 && type->destructor != 0)
        handle->own = 1;
}

static void ZarvoDeleteOwned(swig_type_info* type, void* object)
{
    Renderable* renderable = ZarvoRenderableOf(type, object);
    if (renderable != 0)
        renderable->Destroy();
    static_cast<swig_lua_class*>(type->clientdata)->destructor(object);
}
%}

%exception Renderable::Destroy %{
    if (ZarvoRefuseHeld(L, arg1, "$symname", 1, true))
        SWIG_fail;
    $action
%}
%exception World::Add %{
    if (ZarvoRefuseHeld(L, arg2, "$symname", 2, false))
        SWIG_fail;
    $action
    if (arg2 != 0)
        ZarvoGiveUp(arg2);
%}
%exception World::Remove %{
    if (ZarvoRefuseHeld(L, arg2, "$symname", 2, false))
        SWIG_fail;
    {
        const bool wasInWorld = arg2 != 0 && arg1->Contains(arg2);
        $action
        if (wasInWorld && !arg1->Contains(arg2))
            ZarvoTakeBack(L, 2);
    }
%}

// A move puts on a layer what is on none (the camera, a hidden form).
%exception World::UpdateLayer %{
    if (ZarvoRefuseHeld(L, arg2, "$symname", 2, false))
        SWIG_fail;
    $action
%}
%exception Actor::SetLayer %{
    if (ZarvoRefuseHeld(L, arg1, "$symname", 1, false))
        SWIG_fail;
    $action
%}

%ignore Renderable::SetHolder;
%ignore Renderable::GetHolder;
%ignore Renderable::MayBeDestroyedByOthers;
