// Deletions that an uninstall left for the next restart ("the 3010 result"):
// Windows would carry them out even after setup has installed the files again.
#pragma once

// Removes from "PendingFileRenameOperations" every pending deletion of
// `installDir` (no trailing backslash) or of a path inside it; renames and
// other folders' entries stay. Each one removed is logged.
void ClearPendingDeletions(const char* installDir);
