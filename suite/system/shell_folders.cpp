#include "suite/system/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/run/platform_calls.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

bool SpecialFolderPath(int csidl, const char* name, PathBuffer& path)
{
    LPITEMIDLIST list = nullptr;
    char folder[MAX_PATH] = "";
    bool found = false;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) == S_OK && list) {
        found = SHGetPathFromIDListA(list, folder) && folder[0];
        VxFreeItemList(list);
    }
    return found && JoinPath(path, folder, name);
}

void DeleteSpecialFolderFile(int csidl, const char* name)
{
    PathBuffer path;
    if (!SpecialFolderPath(csidl, name, path))
        return;
    DeleteFileA(path.c_str());
    Platform.changeNotify(SHCNE_DELETE, SHCNF_PATHA, path.c_str(), nullptr);
}
