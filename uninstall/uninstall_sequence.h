// The two stages of the uninstaller: the one the user starts, and its copy
// in the temporary folder that does the removing.
#pragma once

#include <windows.h>

// How a run of the uninstaller ended. The copy reports its own to the first
// stage as this number; ExitCodeOf makes the number that deployment tools read.
enum class UninstallExit : int {
    Removed,              // all of the suite
    RestartNeeded,        // what is still in use goes at the next restart
    Incomplete,           // something could be neither removed nor scheduled, or no report came
    NotRegistered,        // no install folder and no uninstall entry: nothing of the suite was there
    NothingRemoved,       // silent: no copy started, or the second stage run by hand
    AnotherRunInProgress, // silent: another setup or uninstall kept running
    Ended,                // interactive: handed over to the copy, or the copy's own end
    Cancelled,            // interactive: the user said no
    EndedUnfinished,      // interactive: no copy started, or the second stage run by hand
    AnotherRunAnnounced,  // interactive: another run is in progress, and it said so
};

// The default codes: 1 removed, 3010 removed once Windows restarts, 2 not all
// removed, 3 nothing removed, never 0 (which deployment tools take for
// success), and 1 for every interactive run. With "/msicodes", Windows
// Installer's (InstallerCode).
int ExitCodeOf(UninstallExit exit, bool installerCodes);

// How long a silent first stage waits for its copy's report.
constexpr DWORD SilentReportLimit = 5 * 60 * 1000;

// The whole run; "/internally" (case-sensitive, anywhere in the command
// line) selects the second stage, "/silent" (in any letter case) a run with
// no question and no message, "/msicodes" Windows Installer's exit codes.
// Returns the exit code (ExitCodeOf).
int RunUninstall(HINSTANCE instance, const char* commandLine);

UninstallExit SecondStage(bool silent, const char* commandLine);
