// setup from start to end.
#pragma once

#include <windows.h>

// Runs the whole install; the result is the process exit code:
// 1 after a completed run, 0 when the run ended without installing.
int RunSetup(HINSTANCE instance, const char* commandTail);
