#pragma once

// Puts the engine back into the state of a freshly started test program: the World (with
// its window, layers, physics and game manager), the script state, the switchboard, the
// camera, the input bindings, the sound device, the textures and the fonts are all gone and
// are made anew on first use, and the preferences and tuning are empty.
void ResetEngine();

// Makes the test program run ResetEngine before every test, so its tests pass in any order
// in one process.
void InstallEngineResetBeforeEveryTest();
