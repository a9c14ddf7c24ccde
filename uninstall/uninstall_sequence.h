// The two stages of the uninstaller: the one the user starts, and its copy
// in the temporary folder that does the removing.
#pragma once

#include <windows.h>

// A silent uninstall's exit codes, as deployment tools read them (never 0,
// which they take for success). An interactive uninstall always ends with 1.
enum class UninstallExit : int {
    Removed = 1,
    Ended = 1,           // an interactive run, whatever it did
    Incomplete = 2,      // something could be neither removed nor scheduled, or no report came
    NothingRemoved = 3,  // no install folder, no copy started, or another run in progress
    RestartNeeded = 3010, // what is still in use goes at the next restart
};

// How long a silent first stage waits for its copy's report.
constexpr DWORD SilentReportLimit = 5 * 60 * 1000;

// The whole run; "/internally" (case-sensitive, anywhere in the command
// line) selects the second stage, "/silent" (in any letter case) a run with
// no question and no message. Returns the exit code, an UninstallExit as the
// number WinMain returns.
int RunUninstall(HINSTANCE instance, const char* commandLine);

UninstallExit SecondStage(bool silent, const char* commandLine);
