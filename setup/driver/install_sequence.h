// setup from start to end.
#pragma once

#include <windows.h>

// Runs the whole install; the result is the process exit code: 1 after a
// completed run, 0 when the run ended without installing, 2 after a silent
// run that had to give up files. The files come from `distributionFolder`
// (with its trailing backslash), by default the folder setup runs from.
int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder = nullptr);
