#include "setup/install/old_shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/earlier_releases.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/system/shell_folders.h"
#include "suite/text/fixed_string.h"
#include "suite/vexlo.h"

namespace {

void RemoveSpecialFolderGroup(int csidl, const char* name)
{
    PathBuffer path;
    if (!SpecialFolderPath(csidl, name, path))
        return;
    // An Explorer window showing the group would keep it open.
    if (HWND window = FindWindowA(nullptr, path.c_str()))
        PostMessageA(window, WM_CLOSE, 0, 0);
    VxRemoveFolder(path.c_str(), 1);
}

// Where an install for all users keeps what a user's install keeps in `csidl`.
int CommonFolderOf(int csidl)
{
    return csidl == CSIDL_PROGRAMS ? CSIDL_COMMON_PROGRAMS : csidl == CSIDL_STARTMENU ? CSIDL_COMMON_STARTMENU : -1;
}

} // namespace

void RemoveOldShortcuts(bool forAllUsers)
{
    VxClearSpecialFolder(CSIDL_STARTMENU);
    VxClearSpecialFolder(CSIDL_PROGRAMS);
    VxClearSpecialFolder(CSIDL_DESKTOPDIRECTORY);

    FixedString<MAX_PATH> startup;
    if (startup.assign(Suite::ProductName) && startup.append(" 98.lnk"))
        DeleteSpecialFolderFile(CSIDL_STARTUP, startup.c_str());
    for (const char* shortcut : OldStartupShortcuts)
        DeleteSpecialFolderFile(CSIDL_STARTUP, shortcut);

    for (const OldGroup& group : OldGroups) {
        RemoveSpecialFolderGroup(group.csidl, group.name);
        if (forAllUsers && CommonFolderOf(group.csidl) >= 0)
            RemoveSpecialFolderGroup(CommonFolderOf(group.csidl), group.name);
    }
    // The suite's own group is built afresh by every install.
    RemoveSpecialFolderGroup(CSIDL_STARTMENU, Suite::ProductName);
    if (forAllUsers)
        RemoveSpecialFolderGroup(CSIDL_COMMON_STARTMENU, Suite::ProductName);
}
