// Folder, shortcut and Explorer operations of the stand-in runtime library.
#include "standin/vexlo/standin.h"
#include "suite/vexlo.h"

#include <shlobj.h>
#include <shobjidl.h>

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
        const char* c = path + 2;
        for (int separators = 0; *c; c = CharNextA(c))
            if (*c == '\\' && ++separators == 2)
                return static_cast<unsigned>(c - path) + 1;
        return static_cast<unsigned>(c - path);
    }
    return path[0] == '\\' ? 1 : 0;
}

// Removes what lies inside `folder`, then the folder. Links to folders are
// removed as links: following one would empty whatever it points to.
void RemoveTree(HeapText& folder)
{
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(folder.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (!RemoveDirectoryA(folder.c_str()))
            DeleteFileA(folder.c_str());
        return;
    }

    unsigned length = folder.length();
    WIN32_FIND_DATAA found;
    HANDLE search = INVALID_HANDLE_VALUE;
    if (folder.append("\\*"))
        search = FindFirstFileA(folder.c_str(), &found);
    folder.truncate(length);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const char* name = found.cFileName;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (!folder.append("\\") || !folder.append(name)) {
                folder.truncate(length);
                continue;
            }
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder);
            } else {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                    SetFileAttributesA(folder.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
                DeleteFileA(folder.c_str());
            }
            folder.truncate(length);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void MakeParentFolder(const char* path)
{
    HeapText parent;
    if (!parent.append(path))
        return;
    // Stepped by character: in a double-byte code page a character's second
    // byte may be 0x5C, the backslash.
    unsigned length = 0;
    for (const char* c = path; *c; c = CharNextA(c))
        if (*c == '\\')
            length = static_cast<unsigned>(c - path) + 1;
    if (length > RootLength(path)) {
        parent.truncate(length - 1);
        VxMakeFolder(parent.c_str());
    }
}

// Tests see the Explorer operations, which leave no other trace, and the
// shortcuts exactly as asked for (the shell normalises what it stores) in the
// file named by VEXLO_LIBRARY_JOURNAL: one line per call, "ordinal|arguments".
void JournalCall(const char* ordinal, const char* const* arguments = nullptr, int count = 0)
{
    char journal[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", journal, sizeof(journal));
    if (length == 0 || length >= sizeof(journal))
        return;
    HANDLE file = CreateFileA(journal, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, ordinal, lstrlenA(ordinal), &written, nullptr);
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i] ? arguments[i] : "";
        WriteFile(file, "|", 1, &written, nullptr);
        WriteFile(file, argument, lstrlenA(argument), &written, nullptr);
    }
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

int CALLBACK StartPickerAt(HWND picker, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED && *reinterpret_cast<const char*>(folder))
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

// Explorer's folder windows, under the class names Windows has used for them.
bool IsFolderWindow(HWND window)
{
    static const char* const classes[] = {"CabinetWClass", "ExploreWClass", "ExplorerWClass"};
    char name[32];
    if (!GetClassNameA(window, name, sizeof(name)))
        return false;
    for (const char* folderClass : classes)
        if (lstrcmpA(name, folderClass) == 0)
            return true;
    return false;
}

BOOL CALLBACK CloseFolderWindow(HWND window, LPARAM)
{
    if (IsFolderWindow(window))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK FindFolderWindow(HWND window, LPARAM open)
{
    if (!IsFolderWindow(window))
        return TRUE;
    *reinterpret_cast<bool*>(open) = true;
    return FALSE;
}

} // namespace

int __cdecl VxMakeFolder(const char* path)
{
    if (!path || !*path)
        return 0;
    HeapText partial;
    // Each folder along the path, stepped by character (see MakeParentFolder).
    for (const char* c = path + RootLength(path);; c = CharNextA(c)) {
        if (*c != '\\' && *c != '/' && *c != 0)
            continue;
        unsigned i = static_cast<unsigned>(c - path);
        partial.clear();
        if (!partial.append(path, i))
            return 0;
        if (i > 0 && !IsFolder(partial.c_str()))
            CreateDirectoryA(partial.c_str(), nullptr);
        if (!*c)
            break;
    }
    return IsFolder(path);
}

void __cdecl VxRemoveFolder(const char* path, int)
{
    if (!path)
        return;
    HeapText folder;
    if (!folder.append(path))
        return;
    unsigned root = RootLength(path);
    while (folder.length() > root && folder.c_str()[folder.length() - 1] == '\\')
        folder.truncate(folder.length() - 1);
    // A root, or a path relative to wherever the caller happens to stand, is
    // never what a caller means by the folder to remove.
    if (root == 0 || folder.length() <= root)
        return;
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    RemoveTree(folder);
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, folder.c_str(), nullptr);
}

void __cdecl VxPickFolder(HWND owner, char* buffer)
{
    if (!buffer)
        return;
    char start[MAX_PATH];
    lstrcpynA(start, buffer, MAX_PATH);
    for (int length = lstrlenA(start); length > 0 && !IsFolder(start);) {
        int previous = length;
        while (length > 0 && start[length - 1] != '\\')
            --length;
        int root = static_cast<int>(RootLength(start));
        while (length > root && start[length - 1] == '\\')
            --length;
        if (length >= previous)
            length = 0;
        start[length] = 0;
    }

    HeapText title;
    title.append(VxTranslate("Please choose the install folder.", 0));
    // The picker's new style needs OLE; the options dialog runs before setup
    // initialises it.
    HRESULT ole = OleInitialize(nullptr);
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = StartPickerAt;
    info.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(chosen, path) && path[0])
            lstrcpynA(buffer, path, MAX_PATH);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(ole))
        OleUninitialize();
}

void __stdcall VxCreateShortcut(const char* linkPath, const char* target, const char* arguments,
                                const char* workingFolder, int)
{
    const char* const journalled[] = {linkPath, target, arguments, workingFolder};
    JournalCall("261", journalled, 4);
    WCHAR wideLinkPath[MAX_PATH];
    if (!linkPath || !target || !MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, linkPath, -1, wideLinkPath, MAX_PATH))
        return;
    MakeParentFolder(linkPath);
    // Replacing a link that a user made read-only is still replacing it.
    DWORD attributes = GetFileAttributesA(linkPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(linkPath, attributes & ~FILE_ATTRIBUTE_READONLY);

    // Callers initialise OLE first; doing it again here only counts up.
    HRESULT com = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(target);
        link->SetArguments(arguments ? arguments : "");
        link->SetWorkingDirectory(workingFolder ? workingFolder : "");
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            file->Save(wideLinkPath, TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

void __cdecl VxClearSpecialFolder(int)
{
}

void __cdecl VxCloseExplorerWindows()
{
    JournalCall("342");
    EnumWindows(CloseFolderWindow, 0);
    for (int wait = 0; wait < 20; ++wait) {
        bool open = false;
        EnumWindows(FindFolderWindow, reinterpret_cast<LPARAM>(&open));
        if (!open)
            break;
        Sleep(100);
    }
}

void __cdecl VxRestoreExplorer()
{
    JournalCall("343");
}

void __cdecl VxFreeItemList(LPITEMIDLIST itemList)
{
    if (itemList)
        CoTaskMemFree(itemList);
}
