-- Destroys each named actor of the running game in turn, with frames after each: on the start
-- screen, then in a battle, ships last since they end it. Each step is named on the unbuffered
-- standard error first, so a crash follows its name. Returns the refusals, one "stage: name:
-- error" a line. Run by tests/game/GameWiringTest.cpp, which gives sweep_frame and
-- sweep_actor_names (the names on the World's layers, bottom layer first).
local refusals = {}
local function destroyEachNamedActor(stage)
  local names = sweep_actor_names()
  for index = #names, 1, -1 do
    local actor = zarvo.Actor_GetNamed(names[index])
    if actor then
      io.stderr:write("SWEEP: ", stage, ": destroy ", names[index], "\n")
      local ok, message = pcall(actor.Destroy, actor)
      if not ok then refusals[#refusals + 1] = stage .. ": " .. names[index] .. ": " .. message end
      for _ = 1, 2 do sweep_frame() end
    end
  end
end
destroyEachNamedActor("start screen")
zarvo.Switchboard_GetInstance():Broadcast(zarvo.Message("StartHardcoreMode"))
for _ = 1, 60 do sweep_frame() end
destroyEachNamedActor("battle")
return table.concat(refusals, "\n")
