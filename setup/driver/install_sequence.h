// setup from start to end.
#pragma once

#include <windows.h>

// Setup's process exit codes; administrators' deployment scripts read them.
enum class SetupExit : int {
    EndedWithoutInstalling = 0, // cancelled, or no usable install folder
    Completed = 1,
    FilesGivenUp = 2,         // a silent run that could not copy every file
    AnotherRunInProgress = 3, // a silent run that found setup or uninstall running
};

// Runs the whole install; the result is the process exit code, a SetupExit
// as the number WinMain returns. The files come from `distributionFolder`
// (with its trailing backslash), by default the folder setup runs from.
int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder = nullptr);
