// Everything setup records in the registry: where the suite lives, its
// uninstall entry, tools' settings, sound events, file types, context-menu
// extensions and help files.
#pragma once

void RegisterSuite();

#include <windows.h>

// The uninstall entry's values for deployment tools, once the files are in:
// the version and the installed size (only when `copiedAll`: RegisterSuite
// removed an earlier run's), no modify or repair, and the silent uninstall's
// command.
void CompleteUninstallEntry(bool copiedAll, DWORD installedKiB);
