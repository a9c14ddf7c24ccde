// Files and folders for tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// build/dist as Wine sees it.
std::string DistFolder();
// The source tree as Wine sees it.
std::string SourceFolder();

// An empty folder C:\vexlo-tests\NAME, made anew.
std::string FreshFolder(const std::string& name);

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// The files in `folder` whose names match the wildcard `pattern`; a folder
// that cannot be listed fails the test.
std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern);

std::string TempFolder();

// Wine only: the Unix path of a Windows path, and a Unix program run to its end
// ("ln -s ..."), for what Win32 under Wine cannot do.
std::string UnixPath(const std::string& path);
void RunUnix(const std::string& commandLine);

// Wine only: drive `letter` shows `folder` while the object lives (a link in
// the prefix's "dosdevices", where Wine keeps its drives).
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& folder);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

private:
    std::string link_;
};

// What a shell link (".lnk") holds, as stored.
struct Shortcut {
    std::string target, arguments, workingFolder;
};
// Needs COM initialised on the calling thread.
Shortcut ReadShortcut(const std::string& path);

// Opens a file without sharing, as a running program holds its own file.
struct HeldFile {
    explicit HeldFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldFile() { release(); }
    void release()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    HANDLE handle;
};
