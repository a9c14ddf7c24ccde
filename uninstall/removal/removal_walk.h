// The deletes of one file removal, around the files the run works from. An
// interactive run leaves what stays; a silent run schedules it for deletion at
// the next restart and counts what it could not even schedule.
#pragma once

#include "uninstall/removal/own_files.h"

enum class RemovalMode { Interactive, Silent };

// What a silent removal could not delete at once.
struct Leftovers {
    int scheduled = 0; // deleted at the next restart
    int failed = 0;    // not even that
};

class RemovalWalk {
public:
    // Takes the run's own files; `leftovers` counts only in a silent removal.
    RemovalWalk(RemovalMode mode, Leftovers& leftovers);

    bool silent() const { return mode_ == RemovalMode::Silent; }
    bool isOwn(const char* path) const { return own_.isOrHolds(path); }
    int scheduled() const { return leftovers_.scheduled; }

    // folder\name with the retrying delete. Names are deleted whether or not
    // they look present: a missing file or folder ends the attempts early.
    void deleteFromFolder(const char* folder, const char* name);
    // A file or an emptied folder that is still there goes at the next restart.
    void leaveForRestart(const char* path);
    // A subfolder with everything in it; in a silent run what it still holds
    // is held, and goes at the restart with the folder.
    void removeFolderWhole(const char* folder);
    // Empties `folder` around the run's own files and the folders that lead to them.
    void emptyFolderAround(const char* folder);

private:
    const RemovalMode mode_;
    Leftovers& leftovers_;
    OwnFiles own_;
};

// Whether anything is there by that name.
bool PathExists(const char* path);
