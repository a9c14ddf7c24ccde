// The copy in the temporary folder that does the removing: shortcuts, the
// registry, the files and folders, then the batch file that deletes the copy.
#pragma once

#include "uninstall/stages/uninstall_run.h"

// Whether this program runs from the temporary folder, where only a first
// stage's copy lies.
bool RunsFromTemp();

// The whole stage. A silent one reports its result to the first stage through
// the channel on its command line, when there is one, and returns it.
UninstallExit SecondStage(const UninstallRun& run);
