// setup's command line: /silent, /noshort, /nostart, /path:FOLDER, /language:N.
#pragma once

enum class CommandLineResult { Read, FolderTooLong };

// Reads the switches from the command-line tail into InstallContext. Switches
// count in any letter case and anywhere in the tail; the folder is taken in
// lower case. A folder that does not fit a path is refused, never cut.
CommandLineResult ReadCommandLine(const char* tail);
