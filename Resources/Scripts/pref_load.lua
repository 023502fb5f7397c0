-- Runs before the window exists: loads Config/defaults.lua, then the player's saved
-- user_prefs.lua when there is one, into the engine's preferences.
--
-- Both files assign one table per category, for example
--     WindowSettings = { width = 1024, height = 768, name = "Zarvo Engine" }
-- Numbers become ints when they are whole, floats otherwise; true and false become 1 and 0.

-- Runs a settings file in a table of its own and returns that table, whose fields are the
-- globals the file assigned. Returns nil and the error text when the file is broken.
function LoadSettingsFile(path)
  local settings = setmetatable({}, { __index = { math = math } })
  rawset(settings, "_G", settings)
  local chunk, loadError = loadfile(path, "t", settings)
  if not chunk then
    return nil, loadError
  end
  local ok, runError = pcall(chunk)
  if not ok then
    return nil, runError
  end
  return settings
end

local function isWholeInt(value)
  return value == math.floor(value) and value >= -2147483648 and value <= 2147483647
end

local function storePreference(category, name, value)
  local preferences = zarvo.Preferences_GetInstance()
  if type(value) == "number" then
    if isWholeInt(value) then
      preferences:SetInt(category, name, value)
    else
      preferences:SetFloat(category, name, value)
    end
  elseif type(value) == "string" then
    preferences:SetString(category, name, value)
  elseif type(value) == "boolean" then
    preferences:SetInt(category, name, value and 1 or 0)
  end
end

local function loadPreferences(path)
  local settings, problem = LoadSettingsFile(path)
  if not settings then
    -- The error may quote the broken file: its control bytes are escaped as the engine's
    -- own warnings escape them, so they can't break the log line.
    local quoted = tostring(problem):gsub("%c", function(byte) return ("\\x%02x"):format(byte:byte()) end)
    zarvo.CompoundLog_GetSystemLog():Log("ERROR: Couldn't load preferences: " .. quoted)
    return
  end
  for category, values in pairs(settings) do
    if type(values) == "table" and values ~= settings then
      for name, value in pairs(values) do
        storePreference(tostring(category), tostring(name), value)
      end
    end
  end
end

local preferences = zarvo.Preferences_GetInstance()
loadPreferences(preferences:GetDefaultPath())

local userPrefs = preferences:GetUserPrefsPath()
if lfs.attributes(userPrefs, "mode") == "file" then
  loadPreferences(userPrefs)
end
