#include "engine/scripting/LuaStackGuard.h"

#include <lua.hpp>

LuaStackGuard::LuaStackGuard(lua_State* state) : _state(state), _top(state != 0 ? lua_gettop(state) : 0) {}

LuaStackGuard::~LuaStackGuard()
{
    if (_state != 0)
        lua_settop(_state, _top);
}
