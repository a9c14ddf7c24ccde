// Whole registry keys: whether one is there, and removing one with all it holds.
#pragma once

#include <windows.h>

enum class KeyTreeMode {
    SubkeysOnly, // the key stays, with its values
    WholeKey,
};

// Empties root\path depth first and, for WholeKey, deletes it from its parent
// (or from the root, for a path without a backslash). A key that is not
// there, or cannot be opened, is no error.
void DeleteKeyTree(HKEY root, const char* path, KeyTreeMode mode);

// Whether root\path can be opened to read, in the registry view `view` asks for.
bool KeyExists(HKEY root, const char* path, REGSAM view = 0);
