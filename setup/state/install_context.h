// The global state of one run of setup.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

struct InstallContextData {
    HINSTANCE instance;
    PathBuffer installDir;   // no trailing backslash once the first stage runs
    bool silent;             // no dialog, no questions
    bool createShortcuts;    // build the Start-menu group
    bool startTools;         // start the tray-based tools at the end without asking
    int languageNumber;      // from "/language:", -1 when not given
    // For every user of the PC ("/allusers", or the system account): the
    // common Start menu, no tray tool started, and each user's values
    // written at that user's logon instead of now.
    bool allUsers;
    bool installerCodes;     // "/msicodes": Windows Installer's exit codes
};

extern InstallContextData InstallContext;

// What the options dialog shares with the selection dialog it opens: the
// dialog while it is open (the selection's owner), and the latest text of its
// install-folder box, whose drive the selection reports the free space of.
extern HWND optionsWindow;
extern PathBuffer folderText;

// Shown, translated, when an install folder breaks the folder rules
// (FaultOfInstallFolder).
constexpr const char* FolderNotUsableText =
    "The install folder must be a full path to a folder, not the root of a drive or share.";
constexpr const char* FolderOfOthersText =
    "The install folder must be a folder of its own, not a folder of Windows, of the user or of other programs.";

// Back to the values a run starts with.
void ResetInstallContext();
