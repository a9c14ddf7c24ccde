// Folders that belong to Windows, to the user or to other programs: the suite
// never installs into them, and its uninstaller never cleans them, whatever
// "InstallPath" says. Folders are told apart by what the file system knows
// them as, not by their names, so a short name ("C:\PROGRA~1"), another
// letter case, a junction, a substituted drive or a share of the same folder
// is the same folder.
#pragma once

#include <windows.h>

// Whether `folder`, a full path, is the Windows folder or lies below it, or is
// itself the Users folder or a folder right in it (the profiles), a
// program-files folder (either view), ProgramData, or the current user's
// desktop, documents, application-data or temporary folder. Their
// subfolders, but Windows', are where programs go.
bool IsFolderOfOthers(const char* folder);

// Whether the two paths lead to the same existing folder.
bool IsSameFolder(const char* one, const char* other);

// A path and every folder above it up to its root, each as the file system
// knows it, as far as they exist.
class PathLine {
public:
    struct Identity {
        DWORD volume;
        DWORD indexHigh;
        DWORD indexLow;
        int level; // 0 for the path itself, 1 for its folder, ...
    };

    // False when the path is no full path or does not fit.
    bool take(const char* path);
    // Whether `path` leads to this line's path or to a folder above it.
    bool reaches(const char* path) const;
    // Whether the line holds `identity` at most `maxLevel` folders above its path.
    bool holds(const Identity& identity, int maxLevel) const;

    // False when the path does not exist.
    static bool identityOf(const wchar_t* path, Identity& identity);

private:
    Identity identities_[MAX_PATH / 2 + 1];
    int count_ = 0;
};
