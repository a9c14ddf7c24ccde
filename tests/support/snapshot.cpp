#include "tests/support/snapshot.h"

#include <cctype>
#include <set>

namespace {

std::string RootName(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    if (root == HKEY_USERS)
        return "HKU";
    return "HK?";
}

std::string Describe(DWORD type, const std::vector<BYTE>& data)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::string text(data.begin(), data.end());
        while (!text.empty() && text.back() == 0)
            text.pop_back();
        return (type == REG_SZ ? "REG_SZ:" : "REG_EXPAND_SZ:") + text;
    }
    case REG_DWORD:
        if (data.size() == 4)
            return "REG_DWORD:" + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
        break;
    }
    static const char digits[] = "0123456789abcdef";
    std::string hex = "type" + std::to_string(type) + ":";
    for (BYTE b : data) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

void AddKey(Snapshot& snapshot, HKEY key, const std::string& name)
{
    snapshot[name] = "key";
    for (DWORD i = 0;; ++i) {
        char valueName[16384];
        DWORD nameLength = sizeof(valueName), type = 0, size = 0;
        if (RegEnumValueA(key, i, valueName, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size + 1);
        nameLength = sizeof(valueName);
        if (RegEnumValueA(key, i, valueName, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        data.resize(size);
        snapshot[name + "|" + (nameLength ? valueName : "@")] = Describe(type, data);
    }
    for (DWORD i = 0;; ++i) {
        char subkey[256];
        DWORD length = sizeof(subkey);
        if (RegEnumKeyExA(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child;
        if (RegOpenKeyExA(key, subkey, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            AddKey(snapshot, child, name + "\\" + subkey);
            RegCloseKey(child);
        }
    }
}

std::string ChangeName(Change change)
{
    return change == Change::Added ? "added" : change == Change::Removed ? "removed" : "changed";
}

} // namespace

void AddRegistryBranch(Snapshot& snapshot, HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    AddKey(snapshot, key, RootName(root) + (path.empty() ? "" : "\\" + path));
    RegCloseKey(key);
}

void AddFolderTree(Snapshot& snapshot, const std::string& folder)
{
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    std::string base = folder.back() == '\\' ? folder : folder + "\\";
    snapshot[base] = "folder";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddFolderTree(snapshot, base + name);
        else
            snapshot[base + name] = "file:" + std::to_string(found.nFileSizeLow);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

Snapshot TakeSnapshot(const std::vector<RegistryBranch>& branches, const std::vector<std::string>& folders)
{
    Snapshot snapshot;
    for (const RegistryBranch& branch : branches)
        AddRegistryBranch(snapshot, branch.root, branch.path);
    for (const std::string& folder : folders)
        AddFolderTree(snapshot, folder);
    return snapshot;
}

bool WildcardMatch(const char* pattern, const char* text)
{
    if (*pattern == '*') {
        for (const char* t = text;; ++t) {
            if (WildcardMatch(pattern + 1, t))
                return true;
            if (!*t)
                return false;
        }
    }
    if (!*text)
        return !*pattern;
    if (*pattern == '?' || tolower(static_cast<unsigned char>(*pattern)) == tolower(static_cast<unsigned char>(*text)))
        return WildcardMatch(pattern + 1, text + 1);
    return false;
}

std::vector<std::string> CompareSnapshots(const Snapshot& before, const Snapshot& after,
                                          const std::vector<ExpectedChange>& expected)
{
    struct Difference {
        Change change;
        std::string name;
        std::string description;
    };
    std::vector<Difference> differences;
    for (const auto& [name, description] : after) {
        auto old = before.find(name);
        if (old == before.end())
            differences.push_back({Change::Added, name, description});
        else if (old->second != description)
            differences.push_back({Change::Changed, name, description});
    }
    for (const auto& [name, description] : before)
        if (!after.count(name))
            differences.push_back({Change::Removed, name, description});

    std::vector<std::string> problems;
    std::set<size_t> seen;
    for (const Difference& difference : differences) {
        bool explained = false;
        for (size_t i = 0; i < expected.size(); ++i) {
            const ExpectedChange& rule = expected[i];
            if (rule.change != difference.change || !WildcardMatch(rule.pattern.c_str(), difference.name.c_str()))
                continue;
            if (!rule.description.empty() && !WildcardMatch(rule.description.c_str(), difference.description.c_str()))
                continue;
            explained = true;
            seen.insert(i);
        }
        if (!explained)
            problems.push_back("unexpectedly " + ChangeName(difference.change) + ": " + difference.name + " = " +
                               difference.description);
    }
    for (size_t i = 0; i < expected.size(); ++i)
        if (!seen.count(i))
            problems.push_back("expected but not " + ChangeName(expected[i].change) + ": " + expected[i].pattern +
                               (expected[i].description.empty() ? "" : " = " + expected[i].description));
    return problems;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\n";
    return joined;
}
