// Everything setup records in the registry: where the suite lives, its
// uninstall entry, tools' settings, sound events, file types, context-menu
// extensions and help files.
#pragma once

void RegisterSuite();

// The uninstall entry's values for deployment tools, once the files are in:
// the installed size, no modify or repair, and the silent uninstall's command.
void CompleteUninstallEntry();
