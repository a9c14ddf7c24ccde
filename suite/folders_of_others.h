// Folders that belong to Windows, to the user or to other programs: the suite
// never installs into them, and its uninstaller never cleans them, whatever
// "InstallPath" says.
#pragma once

// Whether `folder`, a full path, is the Windows folder or lies below it, or is
// itself the Users folder, a profile, a program-files folder (either view),
// ProgramData, or the current user's desktop, documents, application-data or
// temporary folder. Their subfolders, but Windows', are where programs go.
// Short names, letter case and junctions are resolved as far as the folder
// exists, so "C:\PROGRA~1" is "C:\Program Files".
bool IsFolderOfOthers(const char* folder);

// Whether the two paths name the same folder, resolved the same way.
bool IsSameFolder(const char* one, const char* other);
