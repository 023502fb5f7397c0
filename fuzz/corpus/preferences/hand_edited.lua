-- Edited by hand: a bigger window, with anti-aliasing.
WindowSettings = {
  width = 1600, height = 900,  -- 16:9
  antiAliasing = true,
  fullScreen = false,
  name = [[Skarrow]],
}
Game = { difficulty = 2, scrollSpeed = math.pi / 2, ["last player"] = 'Ann' }
_G["Key repeat"] = { delay = 0.25, ["first delay"] = .5 }
