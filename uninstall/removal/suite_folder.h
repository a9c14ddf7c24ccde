// Which folder the uninstaller may clean: "InstallPath" is only a registry
// value, and whatever it names loses its sounds, its "Help" and more.
#pragma once

#include "suite/text/fixed_string.h"

// Reads "InstallPath" into `folder` and keeps it only when it names the
// suite's own folder: a folder that is there, is no folder of Windows, of the
// user or of other programs, and holds the suite's "Vexlo.dll" or
// "uninstall.exe". Otherwise `folder` is left empty, the reason is logged,
// and the result is false: the folder counts as missing.
bool ReadSuiteFolder(PathBuffer& folder);
