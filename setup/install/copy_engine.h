// Copying the distribution folder into the install folder, sorting the sound,
// language and help files into their subfolders, and deleting the files of
// the tools the user left out.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

struct CopyResult {
    int givenUp = 0;   // could not be copied
    int scheduled = 0; // in use: a silent run's copy replaces them at the next restart
};

// Copies from the distribution folder into `installDir`. vexlo-user.exe goes
// only into an install for all users, where each user's logon runs it.
CopyResult CopySuiteFiles(const PathBuffer& installDir);

// The size of the distribution folder's files as installed or kept in the
// install folder and its subfolders, in KiB rounded up.
DWORD InstalledSuiteKiB(const PathBuffer& installDir);
