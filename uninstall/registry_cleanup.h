// Removing what setup registered.
#pragma once

#include <windows.h>

enum class KeyTreeMode {
    SubkeysOnly, // the key stays, with its values
    WholeKey,
};

void DeleteKeyTree(HKEY root, const char* path, KeyTreeMode mode);

// The five steps in their order: maker keys, settings type and help values;
// layout type and sound events; the three context-menu extensions (the last
// with the ZIP association).
void CleanRegistry();

// Deletes the suite's uninstall entry; true when it is gone, or was never there.
bool RemoveUninstallEntry();

bool KeyExists(HKEY root, const char* path, REGSAM view = 0);
