// What a run of the uninstaller is, read once from its command line, and how it ends.
#pragma once

// How a run of the uninstaller ended. The copy reports its own to the first
// stage as this number; the run's exit code comes from its row in the table.
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
    Count
};

// Whether a number the copy sent is one of the results a silent copy reports.
bool IsReport(int reported);

struct UninstallRun {
    const char* commandLine; // with the handles a first stage hands over ("/lock:", "/report:")
    bool second;             // "/internally" (case-sensitive, anywhere): the copy in the temporary folder
    bool silent;             // "/silent" (any letter case): no question and no message
    bool installerCodes;     // "/msicodes": Windows Installer's exit codes
};

UninstallRun ReadUninstallRun(const char* commandLine);

// The default codes: 1 removed, 3010 removed once Windows restarts, 2 not all
// removed, 3 nothing removed, never 0 (which deployment tools take for
// success), and 1 for every interactive run. With "/msicodes", Windows
// Installer's (InstallerCode).
int ExitCodeOf(const UninstallRun& run, UninstallExit exit);
