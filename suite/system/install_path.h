// Where the suite is installed, as the runtime library keeps it.
#pragma once

#include "suite/text/fixed_string.h"

// "InstallPath" of the suite key under HKEY_LOCAL_MACHINE, read through the
// runtime library into a cleared buffer: an unread value leaves the folder
// empty. False when it could not be read.
bool ReadInstallPath(PathBuffer& folder);
