// Folder, shortcut and Explorer operations of the stand-in runtime library.
#include "standin.h"
#include "vexlo.h"

namespace {

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the first folder of a path begins: after "C:\" or after "\\server\share\".
unsigned RootLength(const char* path)
{
    if (path[0] && path[1] == ':')
        return path[2] == '\\' ? 3 : 2;
    if (path[0] == '\\' && path[1] == '\\') {
        unsigned i = 2;
        for (int separators = 0; path[i]; ++i)
            if (path[i] == '\\' && ++separators == 2)
                return i + 1;
        return i;
    }
    return path[0] == '\\' ? 1 : 0;
}

} // namespace

int __cdecl VxMakeFolder(const char* path)
{
    if (!path || !*path)
        return 0;
    HeapText partial;
    unsigned length = lstrlenA(path);
    for (unsigned i = RootLength(path); i <= length; ++i) {
        if (path[i] != '\\' && path[i] != '/' && path[i] != 0)
            continue;
        partial.clear();
        if (!partial.append(path, i))
            return 0;
        if (i > 0 && !IsFolder(partial.c_str()))
            CreateDirectoryA(partial.c_str(), nullptr);
    }
    return IsFolder(path);
}

void __cdecl VxRemoveFolder(const char*, int)
{
}

void __cdecl VxPickFolder(HWND, char*)
{
}

void __stdcall VxCreateShortcut(const char*, const char*, const char*, const char*, int)
{
}

void __cdecl VxClearSpecialFolder(int)
{
}

void __cdecl VxCloseExplorerWindows()
{
}

void __cdecl VxRestoreExplorer()
{
}

void __cdecl VxFreeItemList(LPITEMIDLIST itemList)
{
    if (itemList)
        CoTaskMemFree(itemList);
}
