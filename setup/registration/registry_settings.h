// Everything setup records in the registry: where the suite lives, its
// uninstall entry, tools' settings, sound events, file types, context-menu
// extensions and help files.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

// Writes it all for the suite in `installDir` (no trailing backslash).
void RegisterSuite(const PathBuffer& installDir);

// The uninstall entry's values for deployment tools, once the files are in:
// the version and the installed size (only when `copiedAll`: RegisterSuite
// removed an earlier run's), no modify or repair, and the silent uninstall's
// command.
void CompleteUninstallEntry(const PathBuffer& installDir, bool copiedAll, DWORD installedKiB);
