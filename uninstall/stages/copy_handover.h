// Handing the uninstall over to a copy of the program in the temporary
// folder: the copy's command line, the handles it inherits, and its start.
// The result channel the silent copy reports through is StageResult.
#pragma once

#include <windows.h>

#include "suite/run/run_lock.h"
#include "suite/text/fixed_string.h"
#include "uninstall/stages/stage_result.h"
#include "uninstall/stages/uninstall_run.h"

using CopyParameters = FixedString<MAX_PATH + 128>;

// "/internally" (with "/silent", and "/msicodes" when the first stage was
// asked for them, so that the copy logs the code its first stage returns),
// the lock handed over, the report channel when given, and the log switch,
// so that the copy writes the same log. False when they do not fit.
bool ComposeCopyParameters(CopyParameters& parameters, const UninstallRun& run, const RunLock& lock,
                           const StageResult* result);

// Starts the copy with `parameters`; it inherits the lock and, when given,
// the report channel, and `copy` receives its process. True when started.
bool StartCopy(const CopyParameters& parameters, const UninstallRun& run, const RunLock& lock,
               const StageResult* result, HANDLE* copy);

// The lock the first stage handed over ("/lock:N"), or null.
HANDLE HandedOverLock(const char* commandLine);

// Copies the program and its library to the temporary folder and starts the
// copy with `parameters`, minimised, in the temporary folder; the copy
// inherits the `inheritCount` handles of `inherit`, and with `started` its
// process handle is handed over. False after a failure (told the user unless
// silent).
bool RelaunchFromTemp(const char* parameters = "/internally", bool silent = false, HANDLE* started = nullptr,
                      const HANDLE* inherit = nullptr, int inheritCount = 0);
