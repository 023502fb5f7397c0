-- Tuning variables for scripts: zarvo.Tuning_GetInstance():GetFloat("ExampleSpeed").
-- Save this file while the game runs and it is read again within a second.
Tuning = {
  ExampleSpeed = 4.5,
  ExampleGreeting = "Ahoy",
  ExampleSpawnPoint = { 0, 10 },
}
