// What the uninstaller deletes from the install folder: the files the suite's
// releases put there, the libraries Explorer or a running tool may hold, the
// subfolders setup sorts files into, and the program the first stage runs from.
#pragma once

// Which step deletes a row, in the order the steps run; the sounds lying in
// the install folder go between the suite's files and the libraries.
enum class RemovedAs : unsigned char {
    SuiteFile,   // with the retrying delete
    HeldLibrary, // held, it has the user asked whether Explorer may be closed
    Subfolder,   // with everything in it
    Uninstaller, // the install folder's copy of the uninstaller, last
};

struct RemovedFile {
    constexpr RemovedFile(const char* name, RemovedAs as = RemovedAs::SuiteFile, bool firstStage = false)
        : name(name), as(as), firstStage(firstStage)
    {
    }

    const char* name; // in the install folder; "Languages\x" in one of its subfolders
    RemovedAs as;
    // The first stage runs from it: a silent copy deletes it once that stage has ended.
    bool firstStage;
};

// In the order each step deletes them.
constexpr int RemovedFileCount = 82;
extern const RemovedFile RemovedFiles[RemovedFileCount];
