// The two stages of the uninstaller: the one the user starts, and its copy
// in the temporary folder that does the removing.
#pragma once

#include <windows.h>

// The whole run; "/internally" (case-sensitive, anywhere in the command
// line) selects the second stage. Returns the exit code, always 1.
int RunUninstall(HINSTANCE instance, const char* commandLine);

void FirstStage();
void SecondStage();
// Returns 1 when the copy was started, 0 after a failure message.
int RelaunchFromTemp();
