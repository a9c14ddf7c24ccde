// File, shortcut and group names of the suite's earlier releases. Setup
// removes them before installing and the uninstaller removes them again, so
// both take them from here.
#pragma once

#include <shlobj.h>

// Program and library names of the tools from the releases before the "vx"
// prefix; the first is the backup tool's folder-copy program.
constexpr int OlderToolFileCount = 31;
extern const char* const OlderToolFiles[OlderToolFileCount];
extern const char* const OlderFolderCopyProgram;
// The readme that earlier releases put beside the programs.
extern const char* const OlderTextFile;

// Files of earlier releases that the current one no longer ships, relative to
// the install folder, in the order setup deletes them. The null entry stands
// for the product name + " Homepage.url".
constexpr int ObsoleteFileCount = 82;
extern const char* const ObsoleteFiles[ObsoleteFileCount];

// Startup shortcuts of earlier tool releases ("ZERV <tool> 98.lnk").
constexpr int OldStartupShortcutCount = 15;
extern const char* const OldStartupShortcuts[OldStartupShortcutCount];

struct OldGroup {
    int csidl;
    const char* name;
};

// Start-menu groups of earlier releases and editions.
constexpr int OldGroupCount = 10;
extern const OldGroup OldGroups[OldGroupCount];

// Uninstall entries of the layout tool's standalone releases. The unnumbered
// one is deleted outright, nothing of it needs running; the numbered ones are
// started newest first, and each removes its own entry.
extern const char* const UnnumberedLayoutEntry;
constexpr int NumberedLayoutReleaseCount = 3;
extern const char* const NumberedLayoutReleases[NumberedLayoutReleaseCount];
