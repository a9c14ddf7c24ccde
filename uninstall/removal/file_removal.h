// Removing the suite's files and folders from the install folder, by the
// catalogue's list of what the suite puts there.
#pragma once

#include "uninstall/removal/removal_walk.h"

// The interactive removal: a held library has the user asked whether
// Explorer may be closed to free it.
void RemoveInstalledFiles(const char* installDir);

// The silent removal: no question, Explorer is left alone, and what stays
// held is scheduled for deletion at the next restart. The program and
// library the first stage runs from, and the folder, wait for
// RemoveFirstStageFiles once that stage has ended.
void RemoveInstalledFilesSilently(const char* installDir, Leftovers& leftovers);
void RemoveFirstStageFiles(const char* installDir, Leftovers& leftovers);
