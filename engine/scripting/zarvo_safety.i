// Part of the script module "zarvo" (included by zarvo.i): what keeps a script's call from
// reaching memory it must not touch, whatever it passes.
//
// - Only the module's own userdata are read as engine objects. Every one of them carries a
//   metatable marked with ZarvoModuleMetatableKey; a light userdata or another library's
//   userdata (a file, a directory iterator) is refused like any other wrong argument.
// - Handles to objects that the engine deletes (renderables, message listeners, messages,
//   the sound device and samples) are registered when the module hands them out; the
//   engine's DeletionNotice clears them (pointer and ownership set to zero), and a cleared
//   handle is refused with "the object no longer exists".
// - A method called on nil, or on a cleared handle, is refused before the engine sees it.
// - A number for an integer argument must fit its type: NaN, infinities and numbers beyond
//   its range are refused rather than cast (undefined behaviour).
// - The generator's runtime functions that sit in the metatables (lookups, assignments,
//   finalizers, tostring, disown, equality, constructors) check their arguments first.
// - The overload error lists the prototypes right after its first line.

%{
#include "engine/util/DeletionNotice.h"
#include "engine/messaging/Message.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

static int ZarvoCollect(lua_State* L);
// Deletes an object its handle owns (zarvo_ownership.i).
static void ZarvoDeleteOwned(swig_type_info* type, void* object);

static char ZarvoModuleMetatableKey;
static char ZarvoOpaqueMetatableKey;
// The userdata last found to be the module's, among those with a finalizer: it can't be
// freed and its block taken by another userdata without ZarvoCollect forgetting it first.
// (Value copies have no finalizer, so they are checked each time.) A new state forgets it.
static const void* ZarvoLastModuleUserdata = 0;

static bool ZarvoIsModuleUserdata(lua_State* L, int index)
{
    if (lua_type(L, index) != LUA_TUSERDATA)
        return false;
    const void* block = lua_touserdata(L, index);
    if (block == ZarvoLastModuleUserdata)
        return true;
    if (!lua_getmetatable(L, index))
        return false;
    lua_rawgetp(L, -1, &ZarvoModuleMetatableKey);
    const bool ours = lua_toboolean(L, -1) != 0;
    lua_pushstring(L, "__gc");
    lua_rawget(L, -3);
    const bool finalized = lua_tocfunction(L, -1) == ZarvoCollect;
    lua_pop(L, 3);
    if (ours && finalized)
        ZarvoLastModuleUserdata = block;
    return ours;
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

// A handle of exactly the wanted type (most calls: a method on its own class) needs no cast:
// the generator's own conversion compares type names as strings first.
static int ZarvoConvertPtr(lua_State* L, int index, void** ptr, swig_type_info* type, int flags)
{
    if (lua_isnil(L, index))
        return SWIG_Lua_ConvertPtr(L, index, ptr, type, flags);
    if (!ZarvoIsModuleUserdata(L, index))
        return SWIG_ERROR;
    swig_lua_userdata* handle = static_cast<swig_lua_userdata*>(lua_touserdata(L, index));
    if (handle->type != type || (flags & ~SWIG_POINTER_DISOWN) != 0)
        return SWIG_Lua_ConvertPtr(L, index, ptr, type, flags);
    if (flags & SWIG_POINTER_DISOWN)
        handle->own = 0;
    *ptr = handle->ptr;
    return SWIG_OK;
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

// Registered handles by the address of the tracked base their object is deleted through.
typedef std::unordered_map<const void*, std::vector<swig_lua_userdata*> > ZarvoHandleMap;

static ZarvoHandleMap& ZarvoHandles()
{
    static ZarvoHandleMap* handles = new ZarvoHandleMap();
    return *handles;
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

static void ZarvoForgetHandle(swig_lua_userdata* handle)
{
    ZarvoHandleMap& handles = ZarvoHandles();
    if (handles.empty() || handle->ptr == 0)
        return;
    ZarvoHandleMap::iterator entry = handles.find(ZarvoTrackedAddress(handle->type, handle->ptr));
    if (entry == handles.end())
        return;
    std::vector<swig_lua_userdata*>& list = entry->second;
    for (size_t i = 0; i < list.size(); ++i)
    {
        if (list[i] == handle)
        {
            list[i] = list.back();
            list.pop_back();
            break;
        }
    }
    if (list.empty())
        handles.erase(entry);
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

static void ZarvoObjectDeleted(const void* object)
{
    if (!ZarvoMessagesWithSenders().empty())
        ZarvoForgetDeletedSender(object);
    ZarvoHandleMap& handles = ZarvoHandles();
    if (handles.empty())
        return;
    ZarvoHandleMap::iterator entry = handles.find(object);
    if (entry == handles.end())
        return;
    for (swig_lua_userdata* handle : entry->second)
    {
        handle->ptr = 0;
        handle->own = 0;
    }
    handles.erase(entry);
}

static void ZarvoNewPointerObj(lua_State* L, void* ptr, swig_type_info* type, int own)
{
    SWIG_Lua_NewPointerObj(L, ptr, type, own);
    if (ptr == 0)
        return;
    if (type->clientdata == 0)
    {
        lua_rawgetp(L, LUA_REGISTRYINDEX, &ZarvoOpaqueMetatableKey);
        lua_setmetatable(L, -2);
    }
    const void* address = ZarvoTrackedAddress(type, ptr);
    if (address == 0)
        return;
    ZarvoHandles()[address].push_back(static_cast<swig_lua_userdata*>(lua_touserdata(L, -1)));
    if (SWIG_TypeCheckStruct(type, SWIGTYPE_p_Message) != 0)
    {
        Message* message = static_cast<Message*>(const_cast<void*>(address));
        if (message->GetSender() != 0)
            ZarvoMessagesWithSenders().insert(message);
    }
}

// The finalizer of every class: forgets the handle, deletes an owned object, and leaves the
// handle cleared, so a finalizer called by hand can't free an object twice.
static int ZarvoCollect(lua_State* L)
{
    swig_lua_userdata* handle = ZarvoUserdata(L, 1);
    if (handle == 0)
        return luaL_error(L, "Error in __gc (arg 1), expected a module object got '%s'", ZarvoTypeName(L, 1));
    if (handle == ZarvoLastModuleUserdata)
        ZarvoLastModuleUserdata = 0;
    ZarvoForgetHandle(handle);
    void* object = handle->ptr;
    const bool owned = handle->own != 0;
    handle->ptr = 0;
    handle->own = 0;
    swig_lua_class* type = static_cast<swig_lua_class*>(handle->type->clientdata);
    if (owned && object != 0 && type != 0 && type->destructor != 0)
        ZarvoDeleteOwned(handle->type, object);
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
    lua_pushboolean(L, 1);
    lua_rawsetp(L, metatable, &ZarvoModuleMetatableKey);
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

// Guards everything the module table at the top of the stack reaches: its own metatable,
// every class's metatable, every class table's metatable, the globals swig_type and
// swig_equals; makes the metatable of opaque handles; starts listening for deletions.
static void ZarvoGuardModule(lua_State* L)
{
    ZarvoLastModuleUserdata = 0;
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
    lua_pushboolean(L, 1);
    lua_rawsetp(L, -2, &ZarvoModuleMetatableKey);
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
