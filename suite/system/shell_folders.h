// The user's shell folders (Startup, Start menu, Programs, Desktop).
#pragma once

#include "suite/text/fixed_string.h"

// The special folder joined with `name`; false when the folder is unknown or
// the path would not fit.
bool SpecialFolderPath(int csidl, const char* name, PathBuffer& path);

// Deletes `name` in the special folder and tells the shell.
void DeleteSpecialFolderFile(int csidl, const char* name);
