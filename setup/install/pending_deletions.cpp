#include "setup/install/pending_deletions.h"

#include <windows.h>

#include "suite/run_log.h"

namespace {

const char* const SessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const PendingValue = "PendingFileRenameOperations";

// Beyond this the value is no list Windows itself wrote; it is left alone.
const DWORD LargestList = 16 * 1024 * 1024;

// The entries name NT paths: "\??\C:\Folder\file".
const char* PlainPath(const char* entry)
{
    return entry[0] == '\\' && entry[1] == '?' && entry[2] == '?' && entry[3] == '\\' ? entry + 4 : entry;
}

// `path` is `folder` or lies below it, in any letter case. The folder ends on
// a whole character, so a path whose first bytes equal it does too, and the
// byte after them starts the next character.
bool InFolder(const char* path, const char* folder)
{
    int length = lstrlenA(folder);
    return length > 0 && lstrlenA(path) >= length &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, length, folder, length) == CSTR_EQUAL &&
           (path[length] == 0 || path[length] == '\\');
}

} // namespace

void ClearPendingDeletions(const char* installDir)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    DWORD type = REG_NONE;
    DWORD size = 0;
    HANDLE heap = GetProcessHeap();
    char* list = nullptr;
    char* kept = nullptr;
    if (RegQueryValueExA(key, PendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size > 0 && size <= LargestList) {
        // Two zeros more than the value: a list stored without its ending still ends.
        list = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size + 2));
        kept = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size + 2));
    }
    if (list && kept &&
        RegQueryValueExA(key, PendingValue, nullptr, &type, reinterpret_cast<BYTE*>(list), &size) == ERROR_SUCCESS) {
        // Pairs of source and target; an empty target means "delete".
        DWORD read = 0;
        DWORD written = 0;
        int cleared = 0;
        while (read < size && list[read]) {
            const char* source = list + read;
            DWORD sourceBytes = static_cast<DWORD>(lstrlenA(source)) + 1;
            const char* target = list + read + sourceBytes;
            DWORD pairBytes = sourceBytes + static_cast<DWORD>(lstrlenA(target)) + 1;
            read += pairBytes;
            if (!*target && InFolder(PlainPath(source), installDir)) {
                LogLine("cleared the pending deletion of %s", PlainPath(source));
                ++cleared;
                continue;
            }
            CopyMemory(kept + written, source, pairBytes);
            written += pairBytes;
        }
        if (cleared > 0) {
            // The list's own ending: one more zero.
            if (written == 0)
                RegDeleteValueA(key, PendingValue);
            else
                RegSetValueExA(key, PendingValue, 0, REG_MULTI_SZ, reinterpret_cast<BYTE*>(kept), written + 1);
        }
    }
    if (list)
        HeapFree(heap, 0, list);
    if (kept)
        HeapFree(heap, 0, kept);
    RegCloseKey(key);
}
