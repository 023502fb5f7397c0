-- Calls everything one part of the module offers (target: a class name, or "module") with
-- many argument sets, with and without its object, under tests/sweep/ModuleSweepChild.cpp.
-- Each call is named on the unbuffered standard error first, so a crash follows its name.
local target = ...
local function pack(...) return { n = select("#", ...), ... } end
local function note(text) io.stderr:write("SWEEP: ", text, "\n") end
local other = zarvo.Vec3i(1, 2, 3)
local argumentSets = {
  pack(), pack(nil), pack(nil, 1), pack(nil, nil, nil), pack(0), pack(1), pack(-1), pack(2.5), pack(100),
  pack(1, 1), pack(-1, -1), pack(0, 0, 0), pack(1, 1, 1, 1), pack(1, 2, 3, 4, 5, 6), pack("x"), pack("x", "x"),
  pack("x", 1), pack(1, "x"), pack("", ""), pack(other), pack(other, other), pack(1, other), pack(other, 1),
  pack(io.stdout), pack(true), pack({}),
}

-- Numbers no int holds, in each of four places and in vectors; strings with NUL bytes, bytes no
-- font decodes, a megabyte; values whose every use raises; a function and a coroutine.
local raising = setmetatable({}, { __index = error, __newindex = error, __len = error, __call = error,
  __tostring = error, __concat = error, __eq = error, __lt = error, __unm = error, __add = error })
local oddVector, zero = zarvo.Vector2(0 / 0, 1 / 0), zarvo.Vector2(0, 0)
local function add(...) for _, set in ipairs({ ... }) do argumentSets[#argumentSets + 1] = set end end
for _, n in ipairs({ 0 / 0, 1 / 0, -1 / 0, 1e300, -1e300, 2 ^ 31, -2 ^ 31 - 1, 2 ^ 53, 2 ^ 64, -1e9 }) do
  add(pack(n), pack(n, n), pack(n, n, n), pack(n, n, n, n))
end
for _, text in ipairs({ string.rep("x", 1024 * 1024), "a\0b", "\252", "\255", "\224\128" }) do
  add(pack(text), pack(text, text), pack("Console", text))
end
add(pack(oddVector), pack(oddVector, oddVector), pack(3, zero, zero), pack(3, zero, oddVector, 0 / 0), pack(raising),
    pack(raising, raising), pack(print), pack(coroutine.create(print)))

-- Text actors still hand the font library text it can't decode, which reads past the string's end.
local gone = zarvo.Actor()
zarvo.World_GetInstance():Add(gone, 0) gone:Destroy() sweep_frame(false)

-- A method is also given no object, a handle whose actor is gone, another class's object and a
-- class table; or, with calls = 2, called twice in a row on its object with the same arguments.
-- A call the module refused reached nothing, so only one that went through ticks.
local function sweep(label, fn, self, sets, calls)
  if label == "World.StopGame" then return end -- it ends the program
  local selves = self == nil and { false } or calls and { self } or
    { self, false, gone, swig_type(self) == "Vec3i *" and zero or other, zarvo.Actor }
  for index, arguments in ipairs(sets or argumentSets) do
    for position, withSelf in ipairs(selves) do
      local all = withSelf and pack(withSelf, table.unpack(arguments, 1, arguments.n)) or arguments
      for call = 1, calls or 1 do
        note(label .. " with argument set " .. index .. (withSelf and " after object " .. position or "") .. " call " .. call)
        if pcall(fn, table.unpack(all, 1, all.n)) then sweep_frame(false) end
      end
    end
  end
  note("render after " .. label)
  sweep_frame(true)
end

-- What a first call took (a message broadcast, an actor added, a log) must not be taken twice.
local function fresh() return { pack(), pack(1), pack("x"), pack(zarvo.Message("Twice")), pack(zarvo.Actor(), 1),
                                pack(zarvo.Message("Twice"), 0.5), pack(zarvo.FileLog("sweep_twice")) } end

local function functionsOf(t)
  local names = {}
  for name, value in pairs(t or {}) do
    if type(name) == "string" and type(value) == "function" then names[#names + 1] = name end
  end
  table.sort(names)
  return names
end

-- A metatable's functions, those of its method, getter and setter tables, and its bases'.
local function callables(metatable, prefix, found, seen, base)
  for _, inner in ipairs(base and { ".fn", ".get", ".set" } or { "", ".fn", ".get", ".set" }) do
    local t = inner == "" and metatable or rawget(metatable, inner)
    for _, name in ipairs(functionsOf(t)) do
      if not seen[inner .. name] and not (base and name:sub(1, 2) == "__") then
        seen[inner .. name] = true
        found[#found + 1] = { prefix .. (inner == ".fn" and "" or inner) .. "." .. name, t[name] }
      end
    end
  end
  for _, baseMetatable in ipairs(rawget(metatable, ".bases") or {}) do callables(baseMetatable, prefix, found, seen, true) end
  return found
end

-- A fresh object of the class, or of one derived from it, for classes without a GetInstance.
local made = {
  DeveloperLog = zarvo.CompoundLog_GetSystemLog, Renderable = zarvo.Actor, MessageListener = zarvo.Actor,
  Controller = function() return zarvo.ControllerManager_GetInstance():GetController(0) end,
}
local constructorArguments = {
  pack(), pack("sweep.log"), pack("Sweep", 1), pack("Sweep", "x"), pack("Sweep", zarvo.Vector2(1, 2)),
  pack("Sweep", zarvo.Vector3(1, 2, 3)), pack("Sweep", zarvo.Vec2i(1, 2)), pack("Sweep", zarvo.Vec2ui(1, 2)),
  pack("Sweep", zarvo.Vec3i(1, 2, 3)), pack("Sweep", zarvo.Vec3ui(1, 2, 3)),
}
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
    sweep(entry[1], entry[2], instance(target), fresh(), 2)
  end
  local class = zarvo[target]
  for _, entry in ipairs(callables(getmetatable(class), target .. " class", {}, {})) do sweep(entry[1], entry[2], class) end
  for _, name in ipairs(functionsOf(class)) do sweep(target .. "_" .. name, class[name]) end
end
note("swept " .. target)
