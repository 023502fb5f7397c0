#pragma once

#include <string>

// Writes a quiet mono sine tone as a 16-bit PCM WAV file, for tests that need something
// playable in place of the game's music and effects.
void WriteToneWav(const std::string& path, double seconds);
