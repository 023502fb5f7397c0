#pragma once

#include "engine/util/StringTypes.h"

// Script command: writes text and a line break to the World's console. Before the World
// has a console (while the preference script runs) nothing is written.
void LuaWrite(const String& text);
