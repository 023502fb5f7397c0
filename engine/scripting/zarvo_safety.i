// Part of the script module "zarvo" (included by zarvo.i): what keeps a script's call from
// reaching memory it must not touch, whatever it passes.
//
// - Only the module's own userdata are read as engine objects: those whose metatable is one
//   the module made. A light userdata or another library's userdata (a file, a directory
//   iterator) is refused like any other wrong argument.
// - Handles to objects that the engine deletes (renderables, message listeners, messages,
//   the sound device and samples) are registered when the module hands them out, as keys of
//   tables of the state's registry that hold their keys weakly: Lua takes a handle out only
//   when it frees its block, whatever a script did to its finalizer or metatable, and keeps
//   it listed while a finalizer may still bring it back. The engine's DeletionNotice clears
//   the handles still there (pointer and ownership set to zero), and a cleared handle is
//   refused with "the object no longer exists".
// - An object a script owns is deleted when its owning handle is collected, and every other
//   handle of it is cleared. A collection that runs while a module call is under way (any
//   allocation may run one) leaves the deletion waiting until the outermost call returns
//   (ModuleCallScope), so no call goes on with an object deleted under it.
// - Class metatables answer getmetatable with the class's name, not the table.
// - A method called on nil, or on a cleared handle, is refused before the engine sees it.
// - A number for an integer argument must fit its type: NaN, infinities and numbers beyond
//   its range are refused rather than cast (undefined behaviour).
// - The generator's runtime functions that sit in the metatables (lookups, assignments,
//   finalizers, tostring, disown, equality, constructors) check their arguments first.
// - The overload error lists the prototypes right after its first line.

%{
#include "engine/messaging/Message.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/scripting/ModuleCallScope.h"
#include "engine/util/DeletionNotice.h"

#include <cstring>
#include <unordered_set>
#include <vector>

static int ZarvoCollect(lua_State* L);
// Deletes an object its handle owns (zarvo_ownership.i).
static void ZarvoDeleteOwned(swig_type_info* type, void* object);

static char ZarvoOpaqueMetatableKey;

// The metatables of the module's userdata by address: every class's, the value copies' and
// the opaque handles'. The registry holds each of them while the state lives, so no other
// table can come to that address; a new state starts the list afresh.
static std::unordered_set<const void*>& ZarvoModuleMetatables()
{
    static std::unordered_set<const void*>* metatables = new std::unordered_set<const void*>();
    return *metatables;
}

// The metatable last found among them: most calls pass objects of one class after another.
static const void* ZarvoLastModuleMetatable = 0;

// A userdata is the module's when its metatable is one of the module's and it is large enough
// for a handle (no file or directory of the other libraries is, whatever metatable a script
// gives it).
static bool ZarvoIsModuleUserdata(lua_State* L, int index)
{
    if (lua_type(L, index) != LUA_TUSERDATA || lua_rawlen(L, index) < sizeof(swig_lua_userdata) ||
        !lua_getmetatable(L, index))
        return false;
    const void* metatable = lua_topointer(L, -1);
    lua_pop(L, 1);
    if (metatable == ZarvoLastModuleMetatable)
        return true;
    if (ZarvoModuleMetatables().count(metatable) == 0)
        return false;
    ZarvoLastModuleMetatable = metatable;
    return true;
}

// Makes the metatable at index one of the module's userdata metatables, which getmetatable
// answers with name: a script that could reach the table could take its finalizer away.
static void ZarvoAdoptMetatable(lua_State* L, int index, const char* name)
{
    index = lua_absindex(L, index);
    lua_pushstring(L, name);
    lua_setfield(L, index, "__metatable");
    ZarvoModuleMetatables().insert(lua_topointer(L, index));
}

static swig_lua_userdata* ZarvoUserdata(lua_State* L, int index)
{
    return ZarvoIsModuleUserdata(L, index) ? static_cast<swig_lua_userdata*>(lua_touserdata(L, index)) : 0;
}

// True for a module handle whose object the engine has deleted.
static bool ZarvoIsClearedHandle(lua_State* L, int index)
{
    swig_lua_userdata* handle = ZarvoUserdata(L, index);
    return handle != 0 && handle->ptr == 0;
}

static const char* ZarvoTypeName(lua_State* L, int index)
{
    swig_lua_userdata* handle = ZarvoUserdata(L, index);
    if (handle != 0 && handle->type != 0 && handle->type->str != 0)
        return handle->type->str;
    return lua_typename(L, lua_type(L, index));
}

// The error for a null object where one is needed: nil (or a missing value) is a wrong
// type, a cleared handle an object that is gone.
static void ZarvoPushMissingObject(lua_State* L, const char* function, int argument, swig_type_info* type)
{
    if (ZarvoIsClearedHandle(L, argument))
        SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), the object no longer exists", function, argument);
    else
        SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), expected '%s' got '%s'", function, argument,
                                type != 0 && type->str != 0 ? type->str : "void*", ZarvoTypeName(L, argument));
}

// Every handle of the object that handle stands for gives it up: the engine takes it.
static void ZarvoTakenByEngine(lua_State* L, swig_lua_userdata* handle);

// A handle of exactly the wanted type (most calls: a method on its own class) needs no cast:
// the generator's own conversion compares type names as strings first. An argument the
// engine takes over (a broadcast message) is given up by every handle of it.
static int ZarvoConvertPtr(lua_State* L, int index, void** ptr, swig_type_info* type, int flags)
{
    if (lua_isnil(L, index))
        return SWIG_Lua_ConvertPtr(L, index, ptr, type, flags);
    if (!ZarvoIsModuleUserdata(L, index))
        return SWIG_ERROR;
    swig_lua_userdata* handle = static_cast<swig_lua_userdata*>(lua_touserdata(L, index));
    if (handle->type == type && flags == 0)
    {
        *ptr = handle->ptr;
        return SWIG_OK;
    }
    const int result = SWIG_Lua_ConvertPtr(L, index, ptr, type, flags);
    if (SWIG_IsOK(result) && (flags & SWIG_POINTER_DISOWN) != 0 && handle->ptr != 0)
        ZarvoTakenByEngine(L, handle);
    return result;
}

static int ZarvoConvertMember(lua_State* L, int index, void* ptr, size_t size, swig_type_info* type)
{
    if (!ZarvoIsModuleUserdata(L, index))
        return SWIG_ERROR;
    return SWIG_Lua_ConvertPacked(L, index, ptr, size, type);
}

// The generator's overload error carries a heading line above the prototypes; scripts get
// the prototypes right after the first line.
static void ZarvoPushErrorString(lua_State* L, const char* text)
{
    static const char kHeading[] = "  Possible C/C++ prototypes are:\n";
    const char* heading = std::strstr(text, kHeading);
    if (heading == 0)
    {
        SWIG_Lua_pusherrstring(L, text);
        return;
    }
    luaL_where(L, 1);
    lua_pushlstring(L, text, heading - text);
    lua_pushstring(L, heading + sizeof(kHeading) - 1);
    lua_concat(L, 3);
}

// The handles of each object, by the address of the tracked base it is deleted through.
// registry[&ZarvoHandlesKey] maps that address (a light userdata) to a table whose keys are
// its handles, weak in its keys: Lua clears such a key only when it frees the block (not
// before a finalizer that may bring the handle back), so every handle still listed is live
// memory.
static char ZarvoHandlesKey;
static char ZarvoWeakKeysKey;
static char ZarvoBookkeeperKey;

// The addresses with a handle table: the engine deletes far more than scripts hold, and each
// of those deletions costs one look here.
static std::unordered_set<const void*>& ZarvoTrackedObjects()
{
    static std::unordered_set<const void*>* objects = new std::unordered_set<const void*>();
    return *objects;
}

// The object a handle is being made for. Making it allocates, which may run a script's
// finalizer, and that may delete the object (World:ResetWorld): the new handle is then
// cleared at once.
static const void* ZarvoObjectInHand = 0;
static bool ZarvoObjectInHandDeleted = false;

// A thread of the state's own, whose stack the engine's deletions use: they come from the
// World's tick or from inside any script call, in any coroutine. The state's main thread
// tells whether the state is still open.
static lua_State* ZarvoBookkeeper = 0;
static lua_State* ZarvoBookkeeperState = 0;

static lua_State* ZarvoOpenBookkeeper()
{
    return ZarvoBookkeeper != 0 && LuaScriptingModule::GetLuaState() == ZarvoBookkeeperState ? ZarvoBookkeeper : 0;
}

// The address under which a handle of this type is registered: its object seen as the
// first tracked base it derives from (the this of that base's destructor), or null.
static const void* ZarvoTrackedAddress(swig_type_info* type, void* object)
{
    swig_type_info* const bases[] = { SWIGTYPE_p_Renderable, SWIGTYPE_p_MessageListener, SWIGTYPE_p_Message,
                                      SWIGTYPE_p_SoundDevice, SWIGTYPE_p_SoundLib__Sound };
    for (swig_type_info* base : bases)
    {
        swig_cast_info* cast = SWIG_TypeCheckStruct(type, base);
        if (cast != 0)
        {
            int newMemory = 0;
            return SWIG_TypeCast(cast, object, &newMemory);
        }
    }
    return 0;
}

// Pushes the handle table of the object at address, or nil.
static void ZarvoPushHandles(lua_State* L, const void* address)
{
    lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoHandlesKey);
    lua_rawgetp(L, -1, address);
    lua_remove(L, -2);
}

// Lists the handle at the top of the stack under its object's address.
static void ZarvoRegisterHandle(lua_State* L, const void* address)
{
    const int handle = lua_gettop(L);
    ZarvoPushHandles(L, address);
    if (lua_isnil(L, -1))
    {
        lua_pop(L, 1);
        lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoHandlesKey);
        lua_newtable(L);
        lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoWeakKeysKey);
        lua_setmetatable(L, -2);
        lua_pushvalue(L, -1);
        lua_rawsetp(L, -3, address);
        lua_remove(L, -2);
        ZarvoTrackedObjects().insert(address);
    }
    lua_pushvalue(L, handle);
    lua_pushboolean(L, 1);
    lua_rawset(L, -3);
    lua_settop(L, handle);
}

// The live handles of the object at address. They stay valid until Lua next allocates.
// Reads the registry only: no allocation, so no finalizer runs here.
static std::vector<swig_lua_userdata*> ZarvoLiveHandles(lua_State* L, const void* address)
{
    std::vector<swig_lua_userdata*> handles;
    if (ZarvoTrackedObjects().count(address) == 0)
        return handles;
    const int top = lua_gettop(L);
    ZarvoPushHandles(L, address);
    for (lua_pushnil(L); lua_istable(L, top + 1) && lua_next(L, top + 1) != 0; lua_pop(L, 1))
        handles.push_back(static_cast<swig_lua_userdata*>(lua_touserdata(L, -2)));
    lua_settop(L, top);
    return handles;
}

// An object whose owning handle was collected while a module call was under way, waiting
// for the outermost call's return to be deleted.
struct ZarvoWaitingDeletion
{
    swig_type_info* type;
    void* object;
    const void* address; // its tracked address, or the object's own
};

static std::vector<ZarvoWaitingDeletion>& ZarvoWaitingDeletions()
{
    static std::vector<ZarvoWaitingDeletion>* waiting = new std::vector<ZarvoWaitingDeletion>();
    return *waiting;
}

// Takes the object at address off the waiting list (the engine deleted it or now has it);
// answers whether it was there.
static bool ZarvoCancelDeletion(const void* address)
{
    std::vector<ZarvoWaitingDeletion>& waiting = ZarvoWaitingDeletions();
    for (size_t i = 0; i < waiting.size(); ++i)
    {
        if (waiting[i].address == address)
        {
            waiting.erase(waiting.begin() + i);
            return true;
        }
    }
    return false;
}

// Deletes what waited for the module calls to end, one at a time: a deletion may delete
// others on the list (their notices take them off) or, through a script, queue more. Runs
// with no call under way; a script a deletion calls runs protected, which ends its calls.
static void ZarvoRunWaitingDeletions()
{
    std::vector<ZarvoWaitingDeletion>& waiting = ZarvoWaitingDeletions();
    while (!waiting.empty())
    {
        const ZarvoWaitingDeletion deletion = waiting.front();
        waiting.erase(waiting.begin());
        ZarvoDeleteOwned(deletion.type, deletion.object);
    }
}

// Every live handle of the object at address gives it up, and a deletion waiting for it is
// called off: the engine has it now. Answers whether the script owned it.
static bool ZarvoDisownAll(lua_State* L, const void* address)
{
    bool owned = ZarvoCancelDeletion(address);
    for (swig_lua_userdata* handle : ZarvoLiveHandles(L, address))
    {
        owned = owned || handle->own != 0;
        handle->own = 0;
    }
    return owned;
}

static void ZarvoTakenByEngine(lua_State* L, swig_lua_userdata* handle)
{
    const void* address = ZarvoTrackedAddress(handle->type, handle->ptr);
    if (address != 0)
        ZarvoDisownAll(L, address);
}

// The messages scripts have had a handle to, each known to have a sender: a message keeps a
// raw pointer to its sender, which may be deleted before it.
static std::unordered_set<Message*>& ZarvoMessagesWithSenders()
{
    static std::unordered_set<Message*>* messages = new std::unordered_set<Message*>();
    return *messages;
}

static void ZarvoForgetDeletedSender(const void* object)
{
    std::unordered_set<Message*>& messages = ZarvoMessagesWithSenders();
    messages.erase(static_cast<Message*>(const_cast<void*>(object)));
    for (std::unordered_set<Message*>::iterator message = messages.begin(); message != messages.end();)
    {
        if ((*message)->GetSender() == object)
        {
            (*message)->ForgetSender();
            message = messages.erase(message);
        }
        else
        {
            ++message;
        }
    }
}

// The renderables a script's own handle gave to the World (zarvo_ownership.i).
static std::unordered_set<const void*>& ZarvoGivenToWorld()
{
    static std::unordered_set<const void*>* given = new std::unordered_set<const void*>();
    return *given;
}

// Clears every handle of a deleted object. Uses no memory of a handle Lua has freed: the
// weak table no longer lists those.
static void ZarvoObjectDeleted(const void* object)
{
    if (object == ZarvoObjectInHand)
        ZarvoObjectInHandDeleted = true;
    if (!ZarvoMessagesWithSenders().empty())
        ZarvoForgetDeletedSender(object);
    ZarvoGivenToWorld().erase(object);
    if (ZarvoTrackedObjects().count(object) == 0)
        return;
    ZarvoCancelDeletion(object);
    lua_State* L = ZarvoOpenBookkeeper();
    if (L != 0)
    {
        for (swig_lua_userdata* handle : ZarvoLiveHandles(L, object))
        {
            handle->ptr = 0;
            handle->own = 0;
        }
        lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoHandlesKey);
        lua_pushnil(L);
        lua_rawsetp(L, -2, object);
        lua_pop(L, 1);
    }
    ZarvoTrackedObjects().erase(object);
}

static void ZarvoNewPointerObj(lua_State* L, void* ptr, swig_type_info* type, int own)
{
    const void* address = ptr != 0 ? ZarvoTrackedAddress(type, ptr) : 0;
    const void* outerObject = ZarvoObjectInHand;
    const bool outerDeleted = ZarvoObjectInHandDeleted;
    ZarvoObjectInHand = address;
    ZarvoObjectInHandDeleted = false;
    SWIG_Lua_NewPointerObj(L, ptr, type, own);
    if (ptr != 0 && type->clientdata == 0)
    {
        lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoOpaqueMetatableKey);
        lua_setmetatable(L, -2);
    }
    if (address != 0)
        ZarvoRegisterHandle(L, address);
    if (address != 0 && ZarvoObjectInHandDeleted)
    {
        swig_lua_userdata* handle = static_cast<swig_lua_userdata*>(lua_touserdata(L, -1));
        handle->ptr = 0;
        handle->own = 0;
    }
    else if (address != 0 && SWIG_TypeCheckStruct(type, SWIGTYPE_p_Message) != 0)
    {
        Message* message = static_cast<Message*>(const_cast<void*>(address));
        if (message->GetSender() != 0)
            ZarvoMessagesWithSenders().insert(message);
    }
    ZarvoObjectInHand = outerObject;
    ZarvoObjectInHandDeleted = outerDeleted;
}

// The finalizer of every class: deletes the object its handle owned, at once or, while a
// module call is under way, when the outermost one returns; the deletion clears every other
// handle of it. The handle itself is left cleared, so a finalizer called by hand can't free
// an object twice.
static int ZarvoCollect(lua_State* L)
{
    swig_lua_userdata* handle = ZarvoUserdata(L, 1);
    if (handle == 0)
        return luaL_error(L, "Error in __gc (arg 1), expected a module object got '%s'", ZarvoTypeName(L, 1));
    void* object = handle->ptr;
    const bool owned = handle->own != 0;
    handle->ptr = 0;
    handle->own = 0;
    swig_lua_class* type = static_cast<swig_lua_class*>(handle->type->clientdata);
    if (!owned || object == 0 || type == 0 || type->destructor == 0)
        return 0;
    if (!ModuleCallScope::IsAnyUnderWay())
    {
        ZarvoDeleteOwned(handle->type, object);
        return 0;
    }
    const void* address = ZarvoTrackedAddress(handle->type, object);
    ZarvoWaitingDeletion deletion = { handle->type, object, address != 0 ? address : object };
    ZarvoWaitingDeletions().push_back(deletion);
    ModuleCallScope::Wait();
    return 0;
}

// What a guarded runtime function needs before it may run.
enum ZarvoGuard
{
    ZARVO_GUARD_Object = 0,   // a module userdata first
    ZARVO_GUARD_Objects = 1,  // two module userdata first
    ZARVO_GUARD_Namespace = 2, // the module or a class table first
    ZARVO_GUARD_Table = 3     // any table first (a constructor's class table)
};

static bool ZarvoIsNamespace(lua_State* L, int index)
{
    if (!lua_istable(L, index) || !lua_getmetatable(L, index))
        return false;
    SWIG_Lua_get_table(L, ".get");
    const bool hasGetters = lua_istable(L, -1);
    lua_pop(L, 1);
    SWIG_Lua_get_table(L, ".fn");
    const bool hasFunctions = lua_istable(L, -1);
    lua_pop(L, 2);
    return hasGetters && hasFunctions;
}

// Upvalues: the runtime function, the guard, the number of arguments it reads and its name.
static int ZarvoGuarded(lua_State* L)
{
    const int guard = (int)lua_tointeger(L, lua_upvalueindex(2));
    bool valid = false;
    switch (guard)
    {
    case ZARVO_GUARD_Object: valid = ZarvoIsModuleUserdata(L, 1); break;
    case ZARVO_GUARD_Objects: valid = ZarvoIsModuleUserdata(L, 1) && ZarvoIsModuleUserdata(L, 2); break;
    case ZARVO_GUARD_Namespace: valid = ZarvoIsNamespace(L, 1); break;
    default: valid = lua_istable(L, 1); break;
    }
    if (!valid)
        return luaL_error(L, "Error in %s (arg 1), expected a module %s got '%s'", lua_tostring(L, lua_upvalueindex(4)),
                          guard == ZARVO_GUARD_Namespace || guard == ZARVO_GUARD_Table ? "table" : "object",
                          ZarvoTypeName(L, 1));
    const int arguments = (int)lua_tointeger(L, lua_upvalueindex(3));
    if (arguments > 0)
        lua_settop(L, arguments);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

struct ZarvoGuardedFunction
{
    lua_CFunction function;
    ZarvoGuard guard;
    int arguments;
};

static const ZarvoGuardedFunction* ZarvoFindGuard(lua_CFunction function)
{
    static const ZarvoGuardedFunction guards[] = {
        { SWIG_Lua_class_set, ZARVO_GUARD_Object, 3 },
        { SWIG_Lua_class_tostring, ZARVO_GUARD_Object, 1 }, { SWIG_Lua_class_disown, ZARVO_GUARD_Object, 1 },
        { SWIG_Lua_class_equal, ZARVO_GUARD_Objects, 2 },   { SWIG_Lua_namespace_get, ZARVO_GUARD_Namespace, 2 },
        { SWIG_Lua_namespace_set, ZARVO_GUARD_Namespace, 3 },
    };
    for (const ZarvoGuardedFunction& guarded : guards)
    {
        if (guarded.function == function)
            return &guarded;
    }
    return 0;
}

// Replaces, in the table at index, every runtime function that reads its arguments
// unchecked by its guarded form; a class table's constructor needs its table first.
static void ZarvoGuardTable(lua_State* L, int table)
{
    table = lua_absindex(L, table);
    for (lua_pushnil(L); lua_next(L, table) != 0; lua_pop(L, 1))
    {
        if (lua_type(L, -2) != LUA_TSTRING || !lua_iscfunction(L, -1))
            continue;
        const char* name = lua_tostring(L, -2);
        const lua_CFunction function = lua_tocfunction(L, -1);
        // A class's lookup is guarded by the flattened lookup that replaces it.
        if (function == SWIG_Lua_class_get)
            continue;
        const ZarvoGuardedFunction* guarded = ZarvoFindGuard(function);
        ZarvoGuardedFunction constructor = { function, ZARVO_GUARD_Table, 0 };
        if (guarded == 0 && std::strcmp(name, "__call") == 0)
            guarded = &constructor;
        if (guarded == 0)
            continue;
        lua_pushvalue(L, -2);
        lua_pushcfunction(L, guarded->function);
        lua_pushinteger(L, guarded->guard);
        lua_pushinteger(L, guarded->arguments);
        lua_pushstring(L, name);
        lua_pushcclosure(L, ZarvoGuarded, 4);
        lua_rawset(L, table); // replacing an existing key keeps the traversal valid
    }
}

// Guards the metatable at index and its method, getter and setter tables.
static void ZarvoGuardMetatable(lua_State* L, int metatable)
{
    metatable = lua_absindex(L, metatable);
    lua_pushstring(L, "__gc");
    lua_rawget(L, metatable);
    const bool finalizer = lua_iscfunction(L, -1);
    lua_pop(L, 1);
    if (finalizer)
    {
        lua_pushcfunction(L, ZarvoCollect);
        lua_setfield(L, metatable, "__gc");
    }
    ZarvoGuardTable(L, metatable);
    const char* const inner[] = { ".fn", ".get", ".set" };
    for (const char* name : inner)
    {
        lua_pushstring(L, name);
        lua_rawget(L, metatable);
        if (lua_istable(L, -1))
            ZarvoGuardTable(L, -1);
        lua_pop(L, 1);
    }
}

// The global swig_type: the module's type name of a handle, else Lua's type name.
static int ZarvoSwigType(lua_State* L)
{
    lua_pushstring(L, ZarvoTypeName(L, 1));
    return 1;
}

// Starts the handle tables and the bookkeeper thread of a new state.
static void ZarvoStartHandleTables(lua_State* L)
{
    ZarvoTrackedObjects().clear();
    ZarvoGivenToWorld().clear();
    ZarvoWaitingDeletions().clear();
    ModuleCallScope::SetWaitingWork(ZarvoRunWaitingDeletions);
    lua_newtable(L);
    lua_rawsetp(L, LUA_REGISTRYINDEX, &ZarvoHandlesKey);
    lua_newtable(L);
    lua_pushstring(L, "k");
    lua_setfield(L, -2, "__mode");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &ZarvoWeakKeysKey);
    ZarvoBookkeeper = lua_newthread(L);
    lua_rawsetp(L, LUA_REGISTRYINDEX, &ZarvoBookkeeperKey);
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_MAINTHREAD);
    ZarvoBookkeeperState = lua_tothread(L, -1);
    lua_pop(L, 1);
}

// Guards everything the module table at the top of the stack reaches: its own metatable,
// every class's metatable, every class table's metatable, the globals swig_type and
// swig_equals; makes the metatable of opaque handles; starts listening for deletions.
static void ZarvoGuardModule(lua_State* L)
{
    ZarvoModuleMetatables().clear();
    ZarvoLastModuleMetatable = 0;
    ZarvoStartHandleTables(L);
    const int top = lua_gettop(L);
    const int module = top;
    if (lua_getmetatable(L, module))
        ZarvoGuardMetatable(L, -1);
    lua_settop(L, top);

    SWIG_Lua_get_class_registry(L);
    const int registry = lua_gettop(L);
    for (lua_pushnil(L); lua_next(L, registry) != 0; lua_pop(L, 1))
    {
        if (!lua_istable(L, -1) || lua_type(L, -2) != LUA_TSTRING || lua_tostring(L, -2)[0] == '.')
            continue;
        ZarvoGuardMetatable(L, -1);
        ZarvoAdoptMetatable(L, -1, lua_tostring(L, -2));
    }
    lua_settop(L, top);

    for (lua_pushnil(L); lua_next(L, module) != 0; lua_pop(L, 1))
    {
        if (lua_istable(L, -1) && lua_getmetatable(L, -1))
        {
            ZarvoGuardMetatable(L, -1);
            lua_pop(L, 1);
        }
    }
    lua_settop(L, top);

    lua_pushglobaltable(L);
    ZarvoGuardTable(L, -1);
    lua_pushcfunction(L, ZarvoSwigType);
    lua_setfield(L, -2, "swig_type");
    lua_settop(L, top);

    lua_newtable(L);
    ZarvoAdoptMetatable(L, -1, "void*");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &ZarvoOpaqueMetatableKey);

    DeletionNotice::SetObserver(ZarvoObjectDeleted);
}

#undef SWIG_ConvertPtr
#define SWIG_ConvertPtr(L, idx, ptr, type, flags) ZarvoConvertPtr(L, idx, ptr, type, flags)
#undef SWIG_ConvertMember
#define SWIG_ConvertMember(L, idx, ptr, sz, ty) ZarvoConvertMember(L, idx, ptr, sz, ty)
#undef SWIG_NewPointerObj
#define SWIG_NewPointerObj(L, ptr, type, owner) ZarvoNewPointerObj(L, (void*)(ptr), type, owner)
#undef SWIG_fail_arg
#define SWIG_fail_arg(func_name, argnum, type) \
    { SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), expected '%s' got '%s'", func_name, argnum, type, \
                              ZarvoTypeName(L, argnum)); goto fail; }
#define SWIG_Lua_pusherrstring(L, str) ZarvoPushErrorString(L, str)
// Every module function starts by counting its arguments: from there to its return (or its
// script error) the call is under way.
#undef SWIG_check_num_args
#define SWIG_check_num_args(func_name, a, b) \
    ModuleCallScope zarvoCallUnderWay; \
    if (lua_gettop(L) < a || lua_gettop(L) > b) \
    { SWIG_Lua_pushferrstring(L, "Error in %s expected %d..%d args, got %d", func_name, a, b, lua_gettop(L)); \
      goto fail; }
%}

// A method needs its object; any pointer or reference argument that is a cleared handle is
// refused (nil stays a null pointer where the engine takes one).
%typemap(check) SWIGTYPE *self
%{ if (!$1) { ZarvoPushMissingObject(L, "$symname", $argnum, $descriptor); SWIG_fail; } %}
%typemap(check) SWIGTYPE *, SWIGTYPE &
%{ if (!$1 && ZarvoIsClearedHandle(L, $argnum))
   { ZarvoPushMissingObject(L, "$symname", $argnum, $descriptor); SWIG_fail; } %}
// Objects passed by value are copied from the handle, which must still hold one.
%typemap(in, checkfn="lua_isuserdata") SWIGTYPE ($&ltype argp)
%{ if (!SWIG_IsOK(SWIG_ConvertPtr(L, $input, (void**)&argp, $&descriptor, 0)))
   { SWIG_fail_ptr("$symname", $argnum, $&descriptor); }
   if (!argp) { ZarvoPushMissingObject(L, "$symname", $argnum, $&descriptor); SWIG_fail; }
   $1 = *argp; %}
// Arguments the engine can't do without: nil is a wrong type.
%typemap(check) SWIGTYPE *NONNULL
%{ if (!$1) { ZarvoPushMissingObject(L, "$symname", $argnum, $descriptor); SWIG_fail; } %}

// Numbers into integer arguments: NaN, the infinities and numbers beyond the argument's type
// have no value there (the generator's plain cast of them is undefined behaviour), so they
// are script errors naming the argument; a negative number for an unsigned one is refused as
// before. Fractions are cut toward zero, as always. Two compares on the way in.
%{
#include <limits>

static void ZarvoPushNumberError(lua_State* L, const char* function, int argument, lua_Number number,
                                 const char* type, bool isSigned)
{
    if (!isSigned && number < 0)
        SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), number must not be negative", function, argument);
    else
        SWIG_Lua_pushferrstring(L, "Error in %s (arg %d), %s does not fit in '%s'", function, argument,
                                lua_pushfstring(L, "%f", number), type);
}

template <class T> static inline bool ZarvoToInteger(lua_State* L, int index, const char* function, int argument,
                                                     const char* type, T* value)
{
    typedef std::numeric_limits<T> Limits;
    // 2^digits and the number below the lowest value, both exact in a double.
    const lua_Number beyond = 2.0 * (lua_Number)(Limits::max() / 2 + 1);
    const lua_Number below = -beyond - 1.0;
    const lua_Number number = lua_tonumber(L, index);
    if ((Limits::is_signed ? number > below : number >= 0.0) && number < beyond)
    {
        *value = (T)number;
        return true;
    }
    ZarvoPushNumberError(L, function, argument, number, type, Limits::is_signed);
    return false;
}
%}
%typemap(in, checkfn="lua_isnumber") int, short, long, long long, signed char,
                                     unsigned int, unsigned short, unsigned long, unsigned long long, unsigned char
%{ if (!ZarvoToInteger(L, $input, "$symname", $argnum, "$1_type", &$1)) SWIG_fail; %}
%typemap(in, checkfn="lua_isnumber") const int& ($*1_ltype temp), const short& ($*1_ltype temp),
                                     const long& ($*1_ltype temp), const long long& ($*1_ltype temp),
                                     const signed char& ($*1_ltype temp), const unsigned int& ($*1_ltype temp),
                                     const unsigned short& ($*1_ltype temp), const unsigned long& ($*1_ltype temp),
                                     const unsigned long long& ($*1_ltype temp), const unsigned char& ($*1_ltype temp)
%{ if (!ZarvoToInteger(L, $input, "$symname", $argnum, "$*1_type", &temp)) SWIG_fail;
   $1 = &temp; %}
// An enumeration comes in as an int.
%typemap(in, checkfn="lua_isnumber") enum SWIGTYPE (int number)
%{ if (!ZarvoToInteger(L, $input, "$symname", $argnum, "$1_type", &number)) SWIG_fail;
   $1 = ($1_ltype)number; %}
%typemap(in, checkfn="lua_isnumber") const enum SWIGTYPE& ($basetype temp, int number)
%{ if (!ZarvoToInteger(L, $input, "$symname", $argnum, "$*1_type", &number)) SWIG_fail;
   temp = ($basetype)number; $1 = &temp; %}
