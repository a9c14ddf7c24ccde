// The global state of one run of setup.
#pragma once

#include <windows.h>

#include "suite/fixed_string.h"

struct InstallContextData {
    HINSTANCE instance;
    PathBuffer installDir;   // no trailing backslash once the first stage runs
    int silent;              // no dialog, no questions
    int createShortcuts;     // build the Start-menu group
    int startTools;          // start the tray-based tools at the end without asking
    int languageNumber;      // from "/language:", -1 when not given
};

extern InstallContextData InstallContext;

// Back to the values a run starts with.
void ResetInstallContext();
