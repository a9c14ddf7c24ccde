#include "uninstall/shortcut_removal.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/suite_identity.h"
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
}
