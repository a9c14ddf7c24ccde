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

} // namespace

void RemoveOldShortcuts()
{
    VxClearSpecialFolder(CSIDL_STARTMENU);
    VxClearSpecialFolder(CSIDL_PROGRAMS);
    VxClearSpecialFolder(CSIDL_DESKTOPDIRECTORY);

    FixedString<MAX_PATH> startup;
    if (startup.assign(Suite::ProductName) && startup.append(" 98.lnk"))
        DeleteSpecialFolderFile(CSIDL_STARTUP, startup.c_str());
    for (const char* shortcut : OldStartupShortcuts)
        DeleteSpecialFolderFile(CSIDL_STARTUP, shortcut);

    for (const OldGroup& group : OldGroups)
        RemoveSpecialFolderGroup(group.csidl, group.name);
    // The suite's own group is built afresh by every install.
    RemoveSpecialFolderGroup(CSIDL_STARTMENU, Suite::ProductName);
}
