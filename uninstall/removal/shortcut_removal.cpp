#include "uninstall/removal/shortcut_removal.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/run/run_log.h"
#include "suite/system/shell_folders.h"
#include "suite/vexlo.h"

namespace {

const int ShellFolders[] = {CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY};

const char* const Shortcuts[] = {
    "Vexlo Norrik.lnk", "Vexlo Ovalle.lnk",  "Vexlo Yessa.lnk",  "Vexlo Fennet.lnk", "Vexlo Pondry.lnk",
    "Vexlo Dewlit.lnk", "Vexlo Glimmet.lnk", "Vexlo Caddel.lnk", "Vexlo Orvex.lnk",
};

} // namespace

void RemoveShortcuts()
{
    for (int csidl : ShellFolders)
        VxClearSpecialFolder(csidl);
    for (int csidl : ShellFolders)
        for (const char* shortcut : Shortcuts)
            DeleteSpecialFolderFile(csidl, shortcut);
    PathBuffer group;
    if (SpecialFolderPath(CSIDL_STARTMENU, Suite::ProductName, group))
        VxRemoveFolder(group.c_str(), 1);
    // An install for all users put its group in every user's Start menu.
    if (SpecialFolderPath(CSIDL_COMMON_STARTMENU, Suite::ProductName, group) &&
        GetFileAttributesA(group.c_str()) != INVALID_FILE_ATTRIBUTES) {
        VxRemoveFolder(group.c_str(), 1);
        LogLine("removed the common Start-menu group %s", group.c_str());
    }
}
