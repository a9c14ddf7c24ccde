// setup from start to end.
#pragma once

#include <windows.h>

// How a run of setup ended; its row in the install sequence's exit-code table
// makes the number that administrators' deployment tools read.
enum class SetupExit {
    Completed,
    RestartNeeded,        // a silent run left files in use to be replaced at the next restart
    FilesGivenUp,         // a silent run that could not copy every file
    AnotherRunInProgress, // a silent run that found setup or uninstall running
    AnotherRunAnnounced,  // an interactive one, which said so
    FolderRefused,        // "/path:" too long or breaking the install-folder rules
    FolderNotMade,        // a silent run could not make its folder
    Cancelled,            // the options dialog ended with Cancel
    NoDialog,             // the options dialog could not be shown
    Count
};

// Runs the whole install; the result is the process exit code: 1 completed,
// 3010 completed once Windows restarts, 2 files given up, 3 another run in
// progress (silent), 0 nothing installed; with "/msicodes", Windows
// Installer's (InstallerCode). The files come from `distributionFolder`
// (with its trailing backslash), by default the folder setup runs from.
int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder = nullptr);
