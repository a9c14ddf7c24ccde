// The two stages of the uninstaller: the one the user starts, and its copy
// in the temporary folder that does the removing.
#pragma once

#include <windows.h>

// A silent uninstall's exit codes, as deployment tools read them (never 0,
// which they take for success). An interactive uninstall always ends with 1.
namespace UninstallExit {
constexpr int Removed = 1;
constexpr int Incomplete = 2;        // something could be neither removed nor scheduled, or no report came
constexpr int NothingRemoved = 3;    // no install folder, no copy started, or another run in progress
constexpr int RestartNeeded = 3010;  // what is still in use goes at the next restart
} // namespace UninstallExit

// How long a silent first stage waits for its copy's report.
constexpr DWORD SilentReportLimit = 5 * 60 * 1000;

// The whole run; "/internally" (case-sensitive, anywhere in the command
// line) selects the second stage, "/silent" (in any letter case) a run with
// no question and no message. Returns the exit code.
int RunUninstall(HINSTANCE instance, const char* commandLine);

int SecondStage(bool silent, const char* commandLine);

// Copies the program and its library to the temporary folder and starts the
// copy with `parameters`, minimised, in the temporary folder; the copy
// inherits the `inheritCount` handles of `inherit`, and with `started` its
// process handle is handed over. Returns 1 when the copy was started, 0 after
// a failure (told the user unless silent).
int RelaunchFromTemp(const char* parameters = "/internally", bool silent = false, HANDLE* started = nullptr,
                     const HANDLE* inherit = nullptr, int inheritCount = 0);
