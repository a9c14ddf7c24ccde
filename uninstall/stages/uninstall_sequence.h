// The uninstaller from start to end: which stage this run is, the run lock,
// the log and the exit code.
#pragma once

#include <windows.h>

// The whole run; "/internally" selects the copy's stage (UninstallRun).
// Returns the exit code (ExitCodeOf).
int RunUninstall(HINSTANCE instance, const char* commandLine);
