#include "suite/path_text.h"

#include <shlobj.h>

#include "suite/platform_calls.h"

namespace {

const int DeleteAttempts = 16;
const DWORD DeletePause = 200;

} // namespace

int LastBackslash(const char* text)
{
    int last = -1;
    for (const char* c = text; *c; c = CharNextA(c))
        if (*c == '\\')
            last = static_cast<int>(c - text);
    return last;
}

bool EndsWithBackslash(const char* text)
{
    int last = LastBackslash(text);
    return last >= 0 && text[last + 1] == 0;
}

bool AppendBackslashIfMissing(PathBuffer& path)
{
    return EndsWithBackslash(path.c_str()) || path.append('\\');
}

bool JoinPath(PathBuffer& path, const char* folder, const char* name)
{
    PathBuffer joined;
    if (!joined.assign(folder) || !AppendBackslashIfMissing(joined) || !joined.append(name))
        return false;
    path = joined;
    return true;
}

void RemoveTrailingBackslash(PathBuffer& path)
{
    if (EndsWithBackslash(path.c_str()))
        path.truncate(path.length() - 1);
}

bool CutAtLastBackslash(PathBuffer& path)
{
    int last = LastBackslash(path.c_str());
    if (last < 0)
        return false;
    path.truncate(static_cast<unsigned>(last));
    return true;
}

bool TempFolderPath(PathBuffer& folder)
{
    folder.clear();
    DWORD length = GetTempPathA(folder.bufferSize(), folder.buffer());
    if (length == 0 || length >= folder.bufferSize()) {
        folder.clear();
        return false;
    }
    folder.settle();
    return true;
}

RegistryText ReadRegistryText(HKEY root, const char* key, const char* value, PathBuffer& text, DWORD* type)
{
    text.clear();
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return RegistryText::Absent;
    // One byte more than the value may fill, so that a value stored without
    // its terminating zero still ends.
    char data[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD valueType = REG_NONE;
    LONG read = RegQueryValueExA(opened, value, nullptr, &valueType, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (type)
        *type = valueType;
    if (read == ERROR_MORE_DATA)
        return RegistryText::DoesNotFit;
    if (read != ERROR_SUCCESS)
        return RegistryText::Absent;
    data[size < MAX_PATH ? size : MAX_PATH] = 0;
    return text.assign(data) ? RegistryText::Read : RegistryText::DoesNotFit;
}

bool DeleteWithRetry(const char* path, IfMissing ifMissing, ShellNotice notice, int* attempts)
{
    int made = 0;
    bool gone = false;
    if (ifMissing == IfMissing::NothingToDo && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        if (attempts)
            *attempts = 0;
        return true;
    }
    for (;;) {
        ++made;
        if (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND) {
            gone = true;
            break;
        }
        if (made == DeleteAttempts)
            break;
        Platform.sleep(DeletePause);
    }
    if (notice == ShellNotice::Delete)
        Platform.changeNotify(SHCNE_DELETE, SHCNF_PATHA, path, nullptr);
    if (attempts)
        *attempts = made;
    return gone;
}
