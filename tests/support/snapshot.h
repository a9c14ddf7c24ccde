// Snapshots of registry branches and folder trees, and their comparison against
// a table of expected differences, so that tests describe machine state as data.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Entry names: a key "HKLM\Software\X", a value "HKLM\Software\X|Name" ("|@"
// for the default value), a folder "C:\Dir\" and a file "C:\Dir\File".
// Descriptions: "key", "REG_SZ:text", "REG_DWORD:42", "folder", "file:<size>".
using Snapshot = std::map<std::string, std::string>;

struct RegistryBranch {
    HKEY root;
    std::string path; // below the root; the branch itself is included
};

void AddRegistryBranch(Snapshot& snapshot, HKEY root, const std::string& path);
void AddFolderTree(Snapshot& snapshot, const std::string& folder);
Snapshot TakeSnapshot(const std::vector<RegistryBranch>& branches, const std::vector<std::string>& folders);

enum class Change { Added, Removed, Changed };

struct ExpectedChange {
    Change change;
    std::string pattern;      // '*' matches any run of characters, '?' one; case-insensitive
    std::string description;  // when not empty: the new description must match this pattern
};

// Every difference must be expected and every expected change must happen.
// Returns one line per problem; empty when the snapshots differ exactly as expected.
std::vector<std::string> CompareSnapshots(const Snapshot& before, const Snapshot& after,
                                          const std::vector<ExpectedChange>& expected);

bool WildcardMatch(const char* pattern, const char* text);
std::string JoinLines(const std::vector<std::string>& lines);
