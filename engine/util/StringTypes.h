#pragma once

#include <set>
#include <string>
#include <vector>

// The engine's names for a byte string (no encoding assumed) and its collections.
typedef std::string String;
typedef std::vector<String> StringList;
typedef std::set<String> StringSet;
