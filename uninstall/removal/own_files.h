// What this run works from and writes to: the program, the library beside it
// and the run's log. A removal deletes neither them nor the folders that lead
// to them, and none of them is a leftover.
#pragma once

#include "suite/system/folders_of_others.h"

class OwnFiles {
public:
    // Taken at the start of each removal, by what the file system knows them as.
    void take();
    // Whether `path` is one of them or a folder that holds one.
    bool isOrHolds(const char* path) const;

private:
    PathLine files_[3];
    int count_ = 0;
};
