// What Windows does at the next restart ("PendingFileRenameOperations") to
// files in the install folder: an uninstall's deletions, and the replacements
// of files in use that a silent setup left there.
#pragma once

enum class PendingKinds {
    DeletionsAndReplacements, // setup, before it copies: either would undo the new files
    Replacements,             // the uninstaller: a replacement would bring a file back
};

// Removes from the list every pending deletion of `installDir` (no trailing
// backslash) or of a path inside it, and every replacement whose new file and
// target both lie inside it, deleting that new file; when asked, the
// replacements only. Other folders' entries stay, and so do other renames.
// Each one removed is logged.
void ClearPendingOperations(const char* installDir, PendingKinds kinds);
