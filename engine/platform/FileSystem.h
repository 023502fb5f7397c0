#pragma once

#include "engine/util/StringTypes.h"

// The operating system's file system and well-known folders.
namespace Platform
{
    // Creates the directory and every missing parent. True only when the
    // directory did not exist before and was created by this call.
    bool CreateDirectoryTree(const String& path);

    // True when the path's status can be read (file, directory or anything else).
    bool PathExists(const String& path);
    bool IsDirectory(const String& path);

    // The working directory, "" when it cannot be determined.
    String CurrentDirectory();
    bool ChangeDirectory(const String& path);

    // The user's documents folder without a trailing separator: XDG_DOCUMENTS_DIR
    // from the environment or the user-dirs file, else $HOME/Documents; "" on failure.
    String DocumentsDirectory();

    // Full path of the running program, "" when it cannot be read.
    String ExecutablePath();
}
