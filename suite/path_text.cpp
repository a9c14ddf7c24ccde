#include "suite/path_text.h"

#include <shlobj.h>

#include "suite/platform_calls.h"
#include "suite/run_log.h"

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

FolderShape ShapeOfFolder(const char* folder)
{
    PathBuffer path;
    if (!path.assign(folder))
        return FolderShape::Other;
    RemoveTrailingBackslash(path);
    const char* text = path.c_str();
    // The markers are ASCII below 0x40, which no double-byte character's
    // second byte can be, so they are safe to look for byte by byte.
    for (const char* c = text; *c; ++c)
        if (*c == '/')
            return FolderShape::Other;
    const char* segments;
    int rootSegments; // the server and the share of "\\server\share"
    char drive = static_cast<char>(text[0] | 0x20);
    if (drive >= 'a' && drive <= 'z' && text[1] == ':') {
        if (!text[2])
            return FolderShape::Root;
        if (text[2] != '\\')
            return FolderShape::Other;
        segments = text + 3;
        rootSegments = 0;
    } else if (text[0] == '\\' && text[1] == '\\' && text[2] != '?' && text[2] != '.') {
        segments = text + 2;
        rootSegments = 2;
    } else {
        return FolderShape::Other;
    }

    int count = 0;
    for (const char* start = segments;;) {
        const char* end = start;
        while (*end && *end != '\\')
            end = CharNextA(end);
        // Windows drops a name's trailing blanks and dots, so such a name
        // (".." too) leads somewhere else than it says.
        char last = end > start ? *CharPrevA(start, end) : 0;
        if (last == 0 || last == ' ' || last == '.')
            return FolderShape::Other;
        ++count;
        if (!*end)
            break;
        start = end + 1;
    }
    if (count < rootSegments)
        return FolderShape::Other;
    return count == rootSegments ? FolderShape::Root : FolderShape::Usable;
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

RegistryText ReadRegistryText(HKEY root, const char* key, const char* value, PathBuffer& text, DWORD* type,
                              REGSAM access)
{
    text.clear();
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, access, &opened) != ERROR_SUCCESS)
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
    bool wasThere = true;
    if (ifMissing == IfMissing::NothingToDo && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        if (attempts)
            *attempts = 0;
        return true;
    }
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        ++made;
        if (DeleteFileA(path)) {
            gone = true;
            break;
        }
        error = GetLastError();
        // A name in a folder that is not there is as gone as a missing file.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            gone = true;
            wasThere = false;
            break;
        }
        if (made == DeleteAttempts)
            break;
        Platform.sleep(DeletePause);
    }
    if (!gone)
        LogLine("could not delete %s (attempts: %d, error %lu)", path, made, error);
    else if (wasThere)
        LogLine("deleted %s (attempts: %d)", path, made);
    if (notice == ShellNotice::Delete)
        Platform.changeNotify(SHCNE_DELETE, SHCNF_PATHA, path, nullptr);
    if (attempts)
        *attempts = made;
    return gone;
}
