-- Calls everything one part of the module offers (target: a class name, or "module") with a
-- handful of argument sets, with and without its object. Run by tests/sweep/ModuleSweepChild.cpp,
-- which provides sweep_note(text) (a line on the standard error at once) and sweep_frame(render)
-- (one tick, and a drawn frame when asked), so a crash follows the line that names its call.
local target = ...
local function pack(...) return { n = select("#", ...), ... } end
local other = zarvo.Vec3i(1, 2, 3)
local argumentSets = {
  pack(), pack(nil), pack(nil, 1), pack(nil, nil, nil), pack(0), pack(1), pack(-1), pack(2.5), pack(100),
  pack(1, 1), pack(-1, -1), pack(0, 0, 0), pack(1, 1, 1, 1), pack(1, 2, 3, 4, 5, 6), pack("x"), pack("x", "x"),
  pack("x", 1), pack(1, "x"), pack("", ""), pack(other), pack(other, other), pack(1, other), pack(other, 1),
  pack(io.stdout), pack(true), pack({}),
}
local calls = 0

local function sweep(label, fn, self)
  if label == "World.StopGame" then return end -- it ends the program
  for _, arguments in ipairs(argumentSets) do
    for _, withSelf in ipairs(self ~= nil and { true, false } or { false }) do
      local all = withSelf and pack(self, table.unpack(arguments, 1, arguments.n)) or arguments
      local shown = {}
      for i = 1, all.n do
        local value = all[i]
        shown[i] = (withSelf and i == 1) and "self" or type(value) == "userdata" and swig_type(value) or tostring(value)
      end
      sweep_note(label .. "(" .. table.concat(shown, ", ") .. ")")
      pcall(fn, table.unpack(all, 1, all.n))
      calls = calls + 1
      sweep_frame(false)
    end
  end
  sweep_note("render after " .. label)
  sweep_frame(true)
end

local function functionsOf(t)
  local names = {}
  for name, value in pairs(t) do
    if type(name) == "string" and type(value) == "function" then names[#names + 1] = name end
  end
  table.sort(names)
  return names
end

-- A metatable's functions and those of its method, getter and setter tables, with the
-- methods, getters and setters of a class's bases.
local function callables(metatable, prefix, found, seen, base)
  if not base then
    for _, name in ipairs(functionsOf(metatable)) do found[#found + 1] = { prefix .. "." .. name, metatable[name] } end
  end
  for _, inner in ipairs({ ".fn", ".get", ".set" }) do
    local t = rawget(metatable, inner) or {}
    for _, name in ipairs(functionsOf(t)) do
      if not seen[inner .. name] and not (base and name:sub(1, 2) == "__") then
        seen[inner .. name] = true
        found[#found + 1] = { prefix .. (inner == ".fn" and "" or inner) .. "." .. name, t[name] }
      end
    end
  end
  for _, baseMetatable in ipairs(rawget(metatable, ".bases") or {}) do
    callables(baseMetatable, prefix, found, seen, true)
  end
  return found
end

-- How to come by an object of each class that has no constructor besides its GetInstance.
local made = {
  DeveloperLog = zarvo.CompoundLog_GetSystemLog, Renderable = zarvo.Actor, MessageListener = zarvo.Actor,
  Controller = function() return zarvo.ControllerManager_GetInstance():GetController(0) end,
}
local constructorArguments = {
  pack(), pack("sweep.log"), pack("Sweep", 1), pack("Sweep", "x"), pack("Sweep", zarvo.Vector2(1, 2)),
  pack("Sweep", zarvo.Vector3(1, 2, 3)), pack("Sweep", zarvo.Vec2i(1, 2)), pack("Sweep", zarvo.Vec2ui(1, 2)),
  pack("Sweep", zarvo.Vec3i(1, 2, 3)), pack("Sweep", zarvo.Vec3ui(1, 2, 3)),
}

-- A fresh object of the class, or of one derived from it.
local function instance(name)
  local make = made[name] or zarvo[name .. "_GetInstance"]
  if make then return make() end
  for _, arguments in ipairs(constructorArguments) do
    local ok, object = pcall(zarvo[name], table.unpack(arguments, 1, arguments.n))
    if ok and object ~= nil then return object end
  end
  error("no instance of " .. name)
end

if target == "module" then
  for _, name in ipairs(functionsOf(zarvo)) do sweep(name, zarvo[name]) end
  for _, entry in ipairs(callables(getmetatable(zarvo), "zarvo", {}, {})) do sweep(entry[1], entry[2], zarvo) end
else
  for _, entry in ipairs(callables(debug.getregistry().SWIG[target], target, {}, {})) do
    sweep(entry[1], entry[2], instance(target))
  end
  local class = zarvo[target]
  for _, entry in ipairs(callables(getmetatable(class), target .. " class", {}, {})) do
    sweep(entry[1], entry[2], class)
  end
  for _, name in ipairs(functionsOf(class)) do sweep(target .. "_" .. name, class[name]) end
end
sweep_note("swept " .. calls .. " calls")
