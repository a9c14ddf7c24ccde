#include "suite/folders_of_others.h"

#include <windows.h>
#include <shlobj.h>
#include <knownfolders.h>

namespace {

// Resolved paths may pass MAX_PATH ("\\?\UNC\..."); compared in UTF-16, where
// no character hides a backslash.
struct WidePath {
    wchar_t text[2 * MAX_PATH];
    unsigned length = 0;
};

bool StripPrefix(wchar_t* text, const wchar_t* prefix, const wchar_t* replacement)
{
    unsigned n = 0;
    while (prefix[n] && text[n] == prefix[n])
        ++n;
    if (prefix[n])
        return false;
    unsigned r = lstrlenW(replacement);
    MoveMemory(text + r, text + n, (lstrlenW(text + n) + 1) * sizeof(wchar_t));
    CopyMemory(text, replacement, r * sizeof(wchar_t));
    return true;
}

// The path as the file system names it: the longest part of it that exists is
// opened and named back, the rest is kept as given. False when it does not fit.
bool Resolve(const wchar_t* path, WidePath& resolved)
{
    unsigned length = lstrlenW(path);
    if (length == 0 || length >= ARRAYSIZE(resolved.text))
        return false;
    lstrcpyW(resolved.text, path);
    while (length > 3 && resolved.text[length - 1] == L'\\')
        resolved.text[--length] = 0;
    // "C:" alone is the current folder of drive C, not its root.
    if (length == 2 && resolved.text[1] == L':') {
        resolved.text[length++] = L'\\';
        resolved.text[length] = 0;
    }
    resolved.length = length;

    wchar_t given[ARRAYSIZE(resolved.text)];
    wchar_t part[ARRAYSIZE(resolved.text)];
    lstrcpyW(given, resolved.text);
    lstrcpyW(part, resolved.text);
    unsigned end = length;
    for (;;) {
        HANDLE opened = CreateFileW(part, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (opened != INVALID_HANDLE_VALUE) {
            wchar_t named[ARRAYSIZE(resolved.text)];
            DWORD got = GetFinalPathNameByHandleW(opened, named, ARRAYSIZE(named), VOLUME_NAME_DOS);
            CloseHandle(opened);
            if (got == 0 || got >= ARRAYSIZE(named))
                return true;
            if (!StripPrefix(named, L"\\\\?\\UNC\\", L"\\\\"))
                StripPrefix(named, L"\\\\?\\", L"");
            unsigned head = lstrlenW(named);
            while (head > 3 && named[head - 1] == L'\\')
                named[--head] = 0;
            if (head + (length - end) >= ARRAYSIZE(resolved.text))
                return true;
            lstrcpyW(resolved.text, named);
            lstrcpyW(resolved.text + head, given + end);
            resolved.length = lstrlenW(resolved.text);
            return true;
        }
        // Up one folder; a root that cannot be opened leaves the path as given.
        while (end > 0 && part[end - 1] != L'\\')
            --end;
        if (end <= 3)
            return true;
        part[--end] = 0;
    }
}

bool ResolveAnsi(const char* path, WidePath& resolved)
{
    wchar_t wide[ARRAYSIZE(resolved.text)];
    return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, ARRAYSIZE(wide)) > 0 && Resolve(wide, resolved);
}

bool SameText(const wchar_t* one, int oneLength, const wchar_t* other, int otherLength)
{
    return CompareStringOrdinal(one, oneLength, other, otherLength, TRUE) == CSTR_EQUAL;
}

enum class Reach {
    Itself,        // only the folder itself
    AndChildren,   // the folder and every folder right in it (the profiles in Users)
    AndEverything, // the folder and all below it
};

bool Covers(const WidePath& known, Reach reach, const WidePath& candidate)
{
    int k = static_cast<int>(known.length);
    int c = static_cast<int>(candidate.length);
    if (SameText(known.text, k, candidate.text, c))
        return true;
    if (reach == Reach::Itself || c <= k + 1 || candidate.text[k] != L'\\' ||
        !SameText(known.text, k, candidate.text, k))
        return false;
    if (reach == Reach::AndEverything)
        return true;
    for (int i = k + 1; i < c; ++i)
        if (candidate.text[i] == L'\\')
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
// through the shell; the system names the 64-bit ones in its environment.
const wchar_t* const NativeProgramFolders[] = {L"ProgramW6432", L"CommonProgramW6432"};

bool CoveredBy(const wchar_t* known, Reach reach, const WidePath& candidate)
{
    WidePath resolved;
    return known[0] && Resolve(known, resolved) && Covers(resolved, reach, candidate);
}

} // namespace

bool IsFolderOfOthers(const char* folder)
{
    WidePath candidate;
    if (!ResolveAnsi(folder, candidate))
        return false;
    wchar_t known[MAX_PATH];
    for (const auto& shell : ShellFolders)
        if (SHGetFolderPathW(nullptr, shell.csidl, nullptr, SHGFP_TYPE_CURRENT, known) == S_OK &&
            CoveredBy(known, shell.reach, candidate))
            return true;
    for (const wchar_t* name : NativeProgramFolders) {
        DWORD length = GetEnvironmentVariableW(name, known, ARRAYSIZE(known));
        if (length > 0 && length < ARRAYSIZE(known) && CoveredBy(known, Reach::Itself, candidate))
            return true;
    }
    DWORD length = GetTempPathW(ARRAYSIZE(known), known);
    if (length > 0 && length < ARRAYSIZE(known) && CoveredBy(known, Reach::Itself, candidate))
        return true;
    wchar_t* users = nullptr;
    bool inUsers = SHGetKnownFolderPath(FOLDERID_UserProfiles, 0, nullptr, &users) == S_OK && users &&
                   CoveredBy(users, Reach::AndChildren, candidate);
    CoTaskMemFree(users);
    return inUsers;
}

bool IsSameFolder(const char* one, const char* other)
{
    WidePath first;
    WidePath second;
    return ResolveAnsi(one, first) && ResolveAnsi(other, second) &&
           SameText(first.text, static_cast<int>(first.length), second.text, static_cast<int>(second.length));
}
