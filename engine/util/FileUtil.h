#pragma once

#include "engine/util/StringTypes.h"

// Whole-line text file access. Relative paths start at the working directory.

// Appends the file's lines to lines (without their newlines; carriage returns are
// kept). A file ending in a newline gives a trailing empty line, an empty file one
// empty line. False when the file can't be opened or is a directory.
bool ReadLinesFromFile(const String& path, StringList& lines);
// The file's text exactly as stored, line ends included; "" when it can't be read.
String ReadWholeFile(const String& path);
// Writes the file anew, each line followed by a newline. False when it can't be
// opened or written.
bool WriteLinesToFile(const String& path, const StringList& lines);
// Appends line and a newline. False when the file can't be opened or written.
bool AppendLineToFile(const String& path, const String& line);

// Creates the directory and every missing parent; true only when it was created now.
bool MakeDirectories(const String& path);
bool FileExists(const String& path);

// Where the engine keeps the files it writes: "./".
String GetStorageDirectory();
// The user's documents folder without a trailing separator; "" (and an error
// line) when it can't be found.
String GetDocumentsPath();
// The program's own file name without its folder.
String GetExeName();
