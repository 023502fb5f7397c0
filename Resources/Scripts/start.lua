-- Runs last in the engine's start-up, with the console in place. Defines the functions the
-- engine calls by name. The module's classes and functions are reached through "zarvo",
-- for example zarvo.Actor() or zarvo.World_GetInstance().

-- Everything printed goes to the console, values separated by tabs as in plain Lua.
function print(...)
  local parts = {}
  for i = 1, select("#", ...) do
    parts[i] = tostring((select(i, ...)))
  end
  zarvo.LuaWrite(table.concat(parts, "\t"))
end

-- A name's value in a scope for the completions: a table's own field, or the value of a
-- module variable (zarvo.Vector2_Zero), read through the module's own getter. Nothing a
-- script set up (an __index function, say) is run.
local function completionMember(scope, name)
  if type(scope) ~= "table" then
    return nil
  end
  local value = rawget(scope, name)
  local metatable = getmetatable(scope)
  local getters = value == nil and type(metatable) == "table" and rawget(metatable, ".get")
  local getter = type(getters) == "table" and rawget(getters, name)
  if type(getter) == "function" and debug.getinfo(getter, "S").what == "C" then
    local ok, result = pcall(getter)
    value = ok and result or nil
  end
  return value
end

-- The module's objects answer getmetatable with their class's name; the completions read
-- the table itself.
local rawMetatable = debug.getmetatable

-- Adds the names that the module's metatable of a table or object holds: the variables of
-- the module, and the methods and properties of a class, its bases' included.
local function addModuleNames(names, metatable, visited)
  if type(metatable) ~= "table" or visited[metatable] then
    return
  end
  visited[metatable] = true
  for _, inner in ipairs({ ".fn", ".get" }) do
    local members = rawget(metatable, inner)
    if type(members) == "table" then
      for name in pairs(members) do
        if type(name) == "string" and name:sub(1, 2) ~= "__" then
          names[name] = true
        end
      end
    end
  end
  local bases = rawget(metatable, ".bases")
  if type(bases) == "table" then
    for _, base in ipairs(bases) do
      addModuleNames(names, base, visited)
    end
  end
end

-- The console's completions: the names in the globals, or in the table or module object
-- before the last "." or ":", that start with the word being typed. Each is the whole new
-- input line. After a call, an index or a literal ("f():", "t[1].") there is none: what
-- the value holds can't be known without calling or reading it again.
function getAutoCompletions(input)
  -- Split with greedy patterns only, in time linear in the line: "before" ends at the last
  -- character that can't be part of a name path, "path" at the path's last "." or ":".
  -- (A single pattern with lazy parts backtracked for seconds on each key of a long line.)
  local before, rest = input:match("^(.*[^%w_%.:])(.*)$")
  if not before then
    before, rest = "", input
  end
  local path, word = rest:match("^(.*[%.:])(.*)$")
  if not path then
    path, word = "", rest
  end
  if path:match("^[%.:]") then
    return {}
  end
  local scope = _G
  for part in path:gmatch("([%w_]+)[%.:]") do
    scope = completionMember(scope, part)
  end
  local names = {}
  if type(scope) == "table" then
    for name in pairs(scope) do
      names[name] = true
    end
  end
  if type(scope) == "table" or type(scope) == "userdata" then
    addModuleNames(names, rawMetatable(scope), {})
  end
  local completions = {}
  for name in pairs(names) do
    if type(name) == "string" and name:sub(1, #word) == word then
      completions[#completions + 1] = before .. path .. name
    end
  end
  table.sort(completions)
  return completions
end

-- Config/tuning.lua assigns Tuning = { name = value, ... }: numbers, strings, and vectors
-- written as { x, y }. The engine runs this at start-up and whenever the file is saved.
function LoadTuningVariables()
  local settings, problem = LoadSettingsFile("Config/tuning.lua")
  if not settings then
    error(problem, 0)
  end
  local tuning = zarvo.Tuning_GetInstance()
  for name, value in pairs(settings.Tuning or {}) do
    if type(value) == "number" then
      tuning:SetFloat(name, value)
    elseif type(value) == "string" then
      tuning:SetString(name, value)
    elseif type(value) == "table" then
      tuning:SetVector(name, zarvo.Vector2(value[1] or 0, value[2] or 0))
    end
  end
end

-- World:LoadLevel(name) runs Config/Levels/<name>.lua after clearing the world.
function LoadLevel(name)
  dofile("Config/Levels/" .. name .. ".lua")
end

-- Actor.CreateByScript(name) makes an actor from Config/ActorDefs/<name>.lua, which returns
-- a table such as { class = "Actor", size = 2, color = {1, 0, 0}, position = {0, 0},
-- sprite = "Resources/Images/ship1.png", layer = 2, tags = "enemy", name = "Foe" }.
function Actor_CreateAndRegister(definitionName)
  local definition = dofile("Config/ActorDefs/" .. definitionName .. ".lua")
  local actor = zarvo[definition.class or "Actor"]()
  if definition.size then actor:SetSize(definition.size) end
  if definition.position then actor:SetPosition(definition.position[1], definition.position[2]) end
  if definition.color then actor:SetColor(table.unpack(definition.color)) end
  if definition.sprite then actor:SetSprite(definition.sprite) end
  if definition.tags then actor:Tag(definition.tags) end
  actor:SetName(definition.name or definitionName)
  zarvo.World_GetInstance():Add(actor, definition.layer or 0)
  zarvo.Actor_SetScriptCreatedActor(actor)
end
