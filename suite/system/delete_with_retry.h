// Deleting a file that may still be in use for a moment.
#pragma once

#include "suite/catalogue/waits.h"

enum class IfMissing {
    NothingToDo, // a path that is not there is left alone: no attempt, no notice
    Attempt,     // attempted anyway; only a missing file or folder ends the attempts early
};
enum class ShellNotice { None, Delete };

// Deletes the file with up to `retries.attempts` attempts, `retries.pause` ms
// apart (Platform.sleep), while it is in use. True when the file is gone.
bool DeleteWithRetry(const char* path, IfMissing ifMissing, ShellNotice notice,
                     const Retries& retries = Waits::Delete);

// folder\name, where it is there, then the shell hears of it. `name` may hold
// a subfolder ("Languages\x.txt"); a path that does not fit is no file of ours.
void DeleteFileWithRetry(const char* folder, const char* name);
