// Where the suite goes: the rules every install folder keeps, and the one
// place that settles the folder for the run.
#pragma once

#include <windows.h>

#include "setup/driver/command_line.h"
#include "setup/state/folder_rules.h"
#include "suite/text/fixed_string.h"

enum class FolderChoice {
    Chosen,    // `installDir` is where the suite goes
    Refused,   // "/path:" broke the rules (and was told, unless silent)
    Cancelled, // the options dialog ended with Cancel
    NoDialog,  // the options dialog could not be shown
    NotMade,   // a silent run could not make the folder
};

// Settles the install folder once: "/path:" as ReadCommandLine left it, else
// the folder of an earlier install or the default, then the options dialog
// unless the run is silent, which makes the folder itself. `installDir`
// receives it, without its trailing backslash when chosen; otherwise it is
// the folder the tools closed at start come back from.
FolderChoice ChooseInstallFolder(HINSTANCE instance, CommandLineResult commandLine, PathBuffer& installDir);

// Fills an empty InstallContext.installDir with the folder of an earlier
// install, else the system's program folder + "Vexlo".
void ChooseDefaultInstallFolder();

// Drops one trailing backslash from InstallContext.installDir: the stages
// join names to the folder with their own backslash.
void RemoveInstallFolderTrailingBackslash();
