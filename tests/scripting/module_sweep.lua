-- Calls everything one part of the module "zarvo" offers with a handful of argument sets,
-- in the running engine. Run by tests/scripting/ModuleSweepChild.cpp with one target: a
-- class name, or "module" for the module's own functions, variables and metatable.
-- The child program provides sweep_note(text), which writes a line to the standard error
-- at once, and sweep_frame(render), which ticks the World (and renders it when asked), so
-- a crash, also one that waits for the next tick, comes right after the line naming its call.
local target = ...

-- A call whose purpose is to end the program.
local skipped = { ["World.StopGame"] = true }

local function pack(...) return { n = select("#", ...), ... } end

local unrelated = zarvo.Vec3i(1, 2, 3)
local argumentSets = {
  pack(), pack(nil), pack(nil, 1), pack(nil, nil, nil),
  pack(0), pack(1), pack(-1), pack(2.5), pack(100),
  pack(1, 1), pack(-1, -1), pack(0, 0, 0), pack(1, 1, 1, 1), pack(1, 2, 3, 4, 5, 6),
  pack("x"), pack("x", "x"), pack("x", 1), pack(1, "x"), pack("", ""),
  pack(unrelated), pack(unrelated, unrelated), pack(1, unrelated), pack(unrelated, 1),
  pack(io.stdout), pack(true), pack({}),
}

local function describe(arguments, first)
  local parts = {}
  if first ~= nil then parts[1] = "self" end
  for i = 1, arguments.n do
    local value = arguments[i]
    parts[#parts + 1] = type(value) == "userdata" and swig_type(value) or tostring(value)
  end
  return table.concat(parts, ", ")
end

local calls = 0

-- Calls fn with every set, once after self (when there is one) and once without it.
local function sweep(label, fn, self)
  if skipped[label] then return end
  for _, arguments in ipairs(argumentSets) do
    local selves = self ~= nil and { self, false } or { false }
    for _, first in ipairs(selves) do
      if first then
        sweep_note(label .. "(" .. describe(arguments, first) .. ")")
        pcall(fn, first, table.unpack(arguments, 1, arguments.n))
      else
        sweep_note(label .. "(" .. describe(arguments) .. ")")
        pcall(fn, table.unpack(arguments, 1, arguments.n))
      end
      calls = calls + 1
      sweep_frame(false)
    end
  end
  sweep_note("render after " .. label)
  sweep_frame(true)
end

-- Every function in a table, by name, in a fixed order.
local function functionsOf(t)
  local names = {}
  for name, value in pairs(t) do
    if type(name) == "string" and type(value) == "function" then names[#names + 1] = name end
  end
  table.sort(names)
  return names
end

-- Everything a metatable holds to be called: its own functions and those of its method,
-- getter and setter tables, with the methods, getters and setters of a class's bases.
local function callables(metatable, prefix, seen, base)
  local found = {}
  seen = seen or {}
  if not base then
    for _, name in ipairs(functionsOf(metatable)) do
      found[#found + 1] = { prefix .. "." .. name, metatable[name] }
    end
  end
  for _, inner in ipairs({ ".fn", ".get", ".set" }) do
    local t = rawget(metatable, inner)
    if type(t) == "table" then
      for _, name in ipairs(functionsOf(t)) do
        if not seen[inner .. name] and not (base and name:sub(1, 2) == "__") then
          seen[inner .. name] = true
          local label = inner == ".fn" and prefix .. "." .. name or prefix .. inner .. "." .. name
          found[#found + 1] = { label, t[name] }
        end
      end
    end
  end
  for _, baseMetatable in ipairs(rawget(metatable, ".bases") or {}) do
    for _, entry in ipairs(callables(baseMetatable, prefix, seen, true)) do
      found[#found + 1] = entry
    end
  end
  return found
end

local singletons = {
  World = zarvo.World_GetInstance, Switchboard = zarvo.Switchboard_GetInstance,
  Tuning = zarvo.Tuning_GetInstance, Preferences = zarvo.Preferences_GetInstance,
  SoundDevice = zarvo.SoundDevice_GetInstance, ControllerManager = zarvo.ControllerManager_GetInstance,
  Accelerometer = zarvo.Accelerometer_GetInstance, TagCollection = zarvo.TagCollection_GetInstance,
  Camera = zarvo.Camera_GetInstance, DeveloperLog = zarvo.CompoundLog_GetSystemLog,
  Controller = function() return zarvo.ControllerManager_GetInstance():GetController(0) end,
  Renderable = zarvo.Actor, MessageListener = zarvo.Actor,
}
local constructorArguments = {
  pack(), pack("sweep.log"), pack("Sweep", 1), pack("Sweep", "x"), pack("Sweep", zarvo.Vector2(1, 2)),
  pack("Sweep", zarvo.Vector3(1, 2, 3)), pack("Sweep", zarvo.Vec2i(1, 2)), pack("Sweep", zarvo.Vec2ui(1, 2)),
  pack("Sweep", zarvo.Vec3i(1, 2, 3)), pack("Sweep", zarvo.Vec3ui(1, 2, 3)),
}

-- A fresh object of the class (or of a class derived from it).
local function instance(name)
  if singletons[name] then return singletons[name]() end
  for _, arguments in ipairs(constructorArguments) do
    local ok, object = pcall(zarvo[name], table.unpack(arguments, 1, arguments.n))
    if ok and object ~= nil then return object end
  end
  error("no instance of " .. name)
end

if target == "module" then
  for _, name in ipairs(functionsOf(zarvo)) do
    sweep(name, zarvo[name])
  end
  for _, entry in ipairs(callables(getmetatable(zarvo), "zarvo")) do
    sweep(entry[1], entry[2], zarvo)
  end
else
  local metatable = debug.getregistry().SWIG[target]
  for _, entry in ipairs(callables(metatable, target)) do
    sweep(entry[1], entry[2], instance(target))
  end
  local classTable = zarvo[target]
  for _, entry in ipairs(callables(getmetatable(classTable), target .. " class")) do
    sweep(entry[1], entry[2], classTable)
  end
  for _, name in ipairs(functionsOf(classTable)) do
    sweep(target .. "_" .. name, classTable[name])
  end
end
sweep_note("swept " .. calls .. " calls")
