#include "suite/system/pending_operations.h"

#include <windows.h>

#include "suite/run/run_log.h"
#include "suite/text/fixed_string.h"

namespace {

const wchar_t* const SessionManagerKey = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t* const PendingValue = L"PendingFileRenameOperations";

// Beyond this the value is no list Windows itself wrote; it is left alone.
const DWORD LargestList = 16 * 1024 * 1024;

// The entries name NT paths: "\??\C:\Folder\file".
const wchar_t* PlainPath(const wchar_t* entry)
{
    return entry[0] == L'\\' && entry[1] == L'?' && entry[2] == L'?' && entry[3] == L'\\' ? entry + 4 : entry;
}

// `path` is `folder` or lies below it, in any letter case.
bool InFolder(const wchar_t* path, const wchar_t* folder)
{
    int length = lstrlenW(folder);
    return length > 0 && lstrlenW(path) >= length &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, path, length, folder, length) == CSTR_EQUAL &&
           (path[length] == 0 || path[length] == L'\\');
}

// A path of the list for the log, which is ANSI text: a character it cannot
// show becomes '?' there only.
void LogCleared(const char* what, const wchar_t* path)
{
    PathBuffer shown;
    if (!WideCharToMultiByte(CP_ACP, 0, path, -1, shown.buffer(), shown.bufferSize(), nullptr, nullptr))
        shown.clear();
    shown.settle();
    LogLine("cleared the pending %s of %s", what, shown.c_str());
}

} // namespace

void ClearPendingOperations(const char* installDir, PendingKinds kinds)
{
    // Read and written as UTF-16: other programs' paths in the list keep
    // every character, whatever this process's code page can show.
    wchar_t folder[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, installDir, -1, folder, MAX_PATH))
        return;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    DWORD type = REG_NONE;
    DWORD size = 0;
    HANDLE heap = GetProcessHeap();
    wchar_t* list = nullptr;
    wchar_t* kept = nullptr;
    if (RegQueryValueExW(key, PendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size > 0 && size <= LargestList) {
        // Two zeros more than the value: a list stored without its ending still ends.
        list = static_cast<wchar_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size + 2 * sizeof(wchar_t)));
        kept = static_cast<wchar_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size + 2 * sizeof(wchar_t)));
    }
    if (list && kept &&
        RegQueryValueExW(key, PendingValue, nullptr, &type, reinterpret_cast<BYTE*>(list), &size) == ERROR_SUCCESS) {
        // Pairs of source and target; an empty target means "delete".
        DWORD count = size / sizeof(wchar_t);
        DWORD read = 0;
        DWORD written = 0;
        int cleared = 0;
        while (read < count && list[read]) {
            const wchar_t* source = list + read;
            DWORD sourceLength = static_cast<DWORD>(lstrlenW(source)) + 1;
            const wchar_t* target = source + sourceLength;
            DWORD pairLength = sourceLength + static_cast<DWORD>(lstrlenW(target)) + 1;
            read += pairLength;
            // "!" before a target: replace what is there.
            const wchar_t* renamed = PlainPath(*target == L'!' ? target + 1 : target);
            if (!*target && kinds == PendingKinds::DeletionsAndReplacements && InFolder(PlainPath(source), folder)) {
                LogCleared("deletion", PlainPath(source));
                ++cleared;
                continue;
            }
            if (*target && InFolder(PlainPath(source), folder) && InFolder(renamed, folder)) {
                LogCleared("replacement", renamed);
                SetFileAttributesW(PlainPath(source), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(PlainPath(source));
                ++cleared;
                continue;
            }
            CopyMemory(kept + written, source, pairLength * sizeof(wchar_t));
            written += pairLength;
        }
        if (cleared > 0) {
            // The list's own ending: one more zero.
            if (written == 0)
                RegDeleteValueW(key, PendingValue);
            else
                RegSetValueExW(key, PendingValue, 0, REG_MULTI_SZ, reinterpret_cast<BYTE*>(kept),
                               (written + 1) * sizeof(wchar_t));
        }
    }
    if (list)
        HeapFree(heap, 0, list);
    if (kept)
        HeapFree(heap, 0, kept);
    RegCloseKey(key);
}
