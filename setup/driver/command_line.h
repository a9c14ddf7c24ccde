// setup's command line: /silent, /noshort, /nostart, /path:FOLDER, /language:N,
// /allusers, /msicodes (and /log:FILE, which the run log reads).
#pragma once

enum class CommandLineResult {
    Read,
    FolderTooLong,   // "/path:" does not fit a path
    FolderNotUsable, // "/path:" is no full path to a folder, or a root (ShapeOfFolder)
    FolderOfOthers,  // "/path:" is a folder of Windows, of the user or of other programs
};

// Reads the switches from the command-line tail into InstallContext. Switches
// count in any letter case and anywhere in the tail but inside a quoted
// value (FindSwitch); the folder is taken in
// lower case. A folder that does not fit a path is refused, never cut; one
// that breaks the install-folder rules is refused and leaves the folder empty.
CommandLineResult ReadCommandLine(const char* tail);

// "/msicodes" and all-users mode ("/allusers", or the system account) into
// InstallContext, before anything else: even a run that ends at once at the
// lock reports in the codes asked for.
void ReadDeploymentSwitches(const char* tail);

// Whether the tail holds "/silent", by the same rule, without reading the rest.
bool AsksForSilence(const char* tail);
