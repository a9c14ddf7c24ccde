// setup from start to end.
#pragma once

#include <windows.h>

// Setup's process exit codes; administrators' deployment scripts read them.
namespace SetupExit {
constexpr int EndedWithoutInstalling = 0; // cancelled, or no usable install folder
constexpr int Completed = 1;
constexpr int FilesGivenUp = 2; // a silent run that could not copy every file
constexpr int AnotherRunInProgress = 3; // a silent run that found setup or uninstall running
} // namespace SetupExit

// Runs the whole install; the result is the process exit code. The files come from `distributionFolder`
// (with its trailing backslash), by default the folder setup runs from.
int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder = nullptr);
