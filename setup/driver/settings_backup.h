// Saving the user's suite settings before setup changes anything.
#pragma once

#include <windows.h>

#include "suite/catalogue/suite_keys.h"
#include "suite/text/fixed_string.h"

constexpr const char* SettingsBranch = "HKEY_CURRENT_USER\\" VEXLO_MAKER_KEY;

// The backup file's full path for the given local time: the temporary folder as
// the platform returns it, then "\Vexlo Settings before Setup " and the time
// stamp. False when the temporary folder is unknown or the path does not fit.
bool BuildBackupFilePath(const SYSTEMTIME& localTime, PathBuffer& path);

// Saves the branch into a new time-stamped file in the temporary folder.
void BackupUserSettings();
