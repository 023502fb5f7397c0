-- The engine's default preferences, loaded before the window is created. Settings saved by
-- the game go to user_prefs.lua, which is loaded after this file and wins.
WindowSettings = {
  width = 1024,
  height = 768,
  name = "Zarvo Engine",
  fullScreen = false,
  resizable = false,
  antiAliasing = false,
}
