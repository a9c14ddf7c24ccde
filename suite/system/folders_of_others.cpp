#include "suite/system/folders_of_others.h"

#include <limits.h>
#include <shlobj.h>
#include <knownfolders.h>

namespace {

// Paths are compared in UTF-16, where no character hides a backslash.
constexpr int WideCapacity = 2 * MAX_PATH;

bool ToWide(const char* path, wchar_t* wide)
{
    return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, WideCapacity) > 0;
}

// The drive ("C:") or the share ("\\server\share") a full path starts with;
// 0 for any other path.
int RootLength(const wchar_t* text)
{
    if (text[0] && text[1] == L':')
        return 2;
    if (text[0] != L'\\' || text[1] != L'\\')
        return 0;
    int separators = 0;
    const wchar_t* c = text + 2;
    for (; *c; ++c)
        if (*c == L'\\' && ++separators == 2)
            break;
    return static_cast<int>(c - text);
}

// Without trailing backslashes, but for a root's own.
int TrimmedLength(const wchar_t* text)
{
    int length = lstrlenW(text);
    int root = RootLength(text);
    while (length > root + 1 && text[length - 1] == L'\\')
        --length;
    return length;
}

enum class Reach {
    Itself,        // only the folder itself
    AndChildren,   // the folder and every folder right in it (the profiles in Users)
    AndEverything, // the folder and all below it
};

int LevelsOf(Reach reach)
{
    return reach == Reach::Itself ? 0 : reach == Reach::AndChildren ? 1 : INT_MAX;
}

// The same test on the names, for a known folder that is not there (yet).
bool NamesCover(const wchar_t* known, Reach reach, const wchar_t* candidate)
{
    int k = TrimmedLength(known);
    int c = TrimmedLength(candidate);
    if (CompareStringOrdinal(known, k, candidate, c, TRUE) == CSTR_EQUAL)
        return true;
    if (reach == Reach::Itself || c <= k + 1 || candidate[k] != L'\\' ||
        CompareStringOrdinal(known, k, candidate, k, TRUE) != CSTR_EQUAL)
        return false;
    for (int i = k + 1; i < c && reach == Reach::AndChildren; ++i)
        if (candidate[i] == L'\\')
            return false;
    return true;
}

const struct {
    int csidl;
    Reach reach;
} ShellFolders[] = {
    {CSIDL_WINDOWS, Reach::AndEverything},
    {CSIDL_PROGRAM_FILES, Reach::Itself},
    {CSIDL_PROGRAM_FILESX86, Reach::Itself},
    {CSIDL_PROGRAM_FILES_COMMON, Reach::Itself},
    {CSIDL_PROGRAM_FILES_COMMONX86, Reach::Itself},
    {CSIDL_COMMON_APPDATA, Reach::Itself},
    {CSIDL_PROFILE, Reach::Itself},
    {CSIDL_DESKTOPDIRECTORY, Reach::Itself},
    {CSIDL_PERSONAL, Reach::Itself},
    {CSIDL_APPDATA, Reach::Itself},
    {CSIDL_LOCAL_APPDATA, Reach::Itself},
    {CSIDL_COMMON_DESKTOPDIRECTORY, Reach::Itself},
    {CSIDL_COMMON_DOCUMENTS, Reach::Itself},
};

// A 32-bit program on 64-bit Windows sees only the x86 program folders
// through the shell. The system names the 64-bit ones in the environment,
// which a service may have stripped, and in the 64-bit registry.
const wchar_t* const NativeProgramVariables[] = {L"ProgramW6432", L"CommonProgramW6432"};
const wchar_t* const NativeProgramValues[] = {L"ProgramW6432Dir", L"CommonW6432Dir"};

bool ReadNativeProgramFolder(const wchar_t* value, wchar_t* folder)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = (MAX_PATH - 1) * sizeof(wchar_t);
    LONG read = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    folder[size / sizeof(wchar_t)] = 0;
    return folder[0] != 0;
}

} // namespace

bool PathLine::identityOf(const wchar_t* path, Identity& identity)
{
    HANDLE opened = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    bool known = GetFileInformationByHandle(opened, &information) != 0;
    CloseHandle(opened);
    identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow, 0};
    return known;
}

bool PathLine::take(const char* path)
{
    count_ = 0;
    wchar_t text[WideCapacity + 2];
    if (!ToWide(path, text))
        return false;
    int root = RootLength(text);
    if (root == 0)
        return false;
    int length = lstrlenW(text);
    for (int level = 0;; ++level) {
        while (length > root && text[length - 1] == L'\\')
            --length;
        // A root is opened with its backslash: "C:" alone is drive C's current folder.
        bool atRoot = length <= root;
        if (atRoot) {
            length = root;
            text[length++] = L'\\';
        }
        text[length] = 0;
        Identity identity;
        if (count_ < static_cast<int>(ARRAYSIZE(identities_)) && identityOf(text, identity)) {
            identity.level = level;
            identities_[count_++] = identity;
        }
        if (atRoot)
            return true;
        while (length > root && text[length - 1] != L'\\')
            --length;
    }
}

bool PathLine::holds(const Identity& identity, int maxLevel) const
{
    for (int i = 0; i < count_; ++i) {
        const Identity& own = identities_[i];
        if (own.level <= maxLevel && own.volume == identity.volume && own.indexHigh == identity.indexHigh &&
            own.indexLow == identity.indexLow)
            return true;
    }
    return false;
}

bool PathLine::reaches(const char* path) const
{
    wchar_t text[WideCapacity];
    Identity identity;
    return ToWide(path, text) && identityOf(text, identity) && holds(identity, INT_MAX);
}

bool IsFolderOfOthers(const char* folder)
{
    wchar_t candidate[WideCapacity];
    PathLine line;
    if (!ToWide(folder, candidate) || !line.take(folder))
        return false;
    auto covers = [&](const wchar_t* known, Reach reach) {
        PathLine::Identity identity;
        return known[0] && (NamesCover(known, reach, candidate) ||
                            (PathLine::identityOf(known, identity) && line.holds(identity, LevelsOf(reach))));
    };

    wchar_t known[MAX_PATH];
    for (const auto& shell : ShellFolders) {
        // S_FALSE names a folder that is not there: it is still the user's.
        known[0] = 0;
        if (SUCCEEDED(SHGetFolderPathW(nullptr, shell.csidl, nullptr, SHGFP_TYPE_CURRENT, known)) &&
            covers(known, shell.reach))
            return true;
    }
    for (int i = 0; i < static_cast<int>(ARRAYSIZE(NativeProgramVariables)); ++i) {
        DWORD length = GetEnvironmentVariableW(NativeProgramVariables[i], known, ARRAYSIZE(known));
        if (length > 0 && length < ARRAYSIZE(known) && covers(known, Reach::Itself))
            return true;
        if (ReadNativeProgramFolder(NativeProgramValues[i], known) && covers(known, Reach::Itself))
            return true;
    }
    DWORD length = GetTempPathW(ARRAYSIZE(known), known);
    if (length > 0 && length < ARRAYSIZE(known) && covers(known, Reach::Itself))
        return true;
    wchar_t* users = nullptr;
    bool inUsers = SHGetKnownFolderPath(FOLDERID_UserProfiles, 0, nullptr, &users) == S_OK && users &&
                   covers(users, Reach::AndChildren);
    CoTaskMemFree(users);
    return inUsers;
}

bool IsSameFolder(const char* one, const char* other)
{
    wchar_t text[WideCapacity];
    PathLine line;
    PathLine::Identity identity;
    return line.take(one) && ToWide(other, text) && PathLine::identityOf(text, identity) && line.holds(identity, 0);
}
