// File, shortcut and group names of the suite's earlier releases. Setup
// removes them before installing and the uninstaller removes them again, so
// both take them from here.
#pragma once

#include <shlobj.h>

// Program and library names of the tools from the releases before the "vx"
// prefix, spelled as a list for the tables of both programs; the first is the
// backup tool's folder-copy program.
#define VEXLO_OLDER_FOLDER_COPY_PROGRAM "NorrikCopy.exe"
#define VEXLO_OLDER_TOOL_FILES                                                                                         \
    VEXLO_OLDER_FOLDER_COPY_PROGRAM, "Norrik.exe", "NkNotify.exe", "Ovalle.exe", "Yessa.exe", "Yessamark.exe",         \
        "Scrivo.exe", "Halder.exe", "Fennet.exe", "Fennetty.exe", "Tovin.exe", "AutoPN.exe", "Pondry.exe", "Lumio.exe", \
        "Kimber.exe", "Dewlit.exe", "Ambro.exe", "Grask.exe", "Glimmet.exe", "Caddel.exe", "Restart.exe", "Orvex.exe",  \
        "Quesh.exe", "Stoval.exe", "Brolla.exe", "Rattik.exe", "Pellor.exe", "NkMenu.dll", "Ambro.dll", "Pondry.dll",   \
        "BrollaShell.dll"
// The readme that earlier releases put beside the programs.
#define VEXLO_OLDER_TEXT_FILE "Vexlets.txt"

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
