// Removing the suite's files and folders from the install folder.
#pragma once

// What a silent uninstall could not delete at once.
struct Leftovers {
    int scheduled = 0; // deleted at the next restart
    int failed = 0;    // not even that
};

// The interactive removal: a held library has the user asked whether
// Explorer may be closed to free it.
void RemoveInstalledFiles(const char* installDir);

// The silent removal: no question, Explorer is left alone, and what stays
// held is scheduled for deletion at the next restart. The program and
// library the first stage runs from, and the folder, wait for
// RemoveFirstStageFiles once that stage has ended.
void RemoveInstalledFilesSilently(const char* installDir, Leftovers& leftovers);
void RemoveFirstStageFiles(const char* installDir, Leftovers& leftovers);
