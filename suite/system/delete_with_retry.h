// Deleting a file that may still be in use for a moment.
#pragma once

enum class IfMissing {
    NothingToDo, // a path that is not there is left alone: no attempt, no notice
    Attempt,     // attempted anyway; only a missing file or folder ends the attempts early
};
enum class ShellNotice { None, Delete };

// Deletes the file with up to 16 attempts, 200 ms apart (Platform.sleep),
// while it is in use. `attempts`, when given, receives how many were made.
// True when the file is gone.
bool DeleteWithRetry(const char* path, IfMissing ifMissing, ShellNotice notice, int* attempts = nullptr);
