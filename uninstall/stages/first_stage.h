// The stage the user or the management tool starts, from the install folder:
// it closes the tools, and hands the removing over to a copy of the program in
// the temporary folder, which can delete the files this stage runs from.
#pragma once

#include "suite/run/run_lock.h"
#include "uninstall/stages/uninstall_run.h"

// Interactive: asks, removes the entry and starts the copy. Silent: starts the
// copy and returns what it reports.
UninstallExit RunFirstStage(const UninstallRun& run, const RunLock& lock);
