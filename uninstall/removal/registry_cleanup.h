// Removing what setup registered, by the catalogue's list of registry removals.
#pragma once

// In the list's order: the maker's and the suite's keys, the settings type and
// the help values; the layout type and sound events (then the shell hears of
// the file types); the three context-menu extensions, the archive type and the
// ZIP association while it names that type; the Active Setup component and the
// user's note of it. A step that fails never stops the next.
void CleanRegistry();

// Deletes the suite's uninstall entry; true when it is gone, or was never there.
bool RemoveUninstallEntry();
