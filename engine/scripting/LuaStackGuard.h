#pragma once

struct lua_State;

// Puts a Lua value stack back to the depth it had when the guard was made, however the
// scope is left, so no entry point leaves stale values behind.
class LuaStackGuard
{
public:
    // state may be null; the guard then does nothing.
    explicit LuaStackGuard(lua_State* state);
    ~LuaStackGuard();

    LuaStackGuard(const LuaStackGuard&) = delete;
    LuaStackGuard& operator=(const LuaStackGuard&) = delete;

private:
    lua_State* _state;
    int _top;
};
