#include "setup/install/start_menu.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "suite/catalogue/component_table.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/system/install_path.h"
#include "suite/system/registry_text.h"
#include "suite/system/shell_folders.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

struct ToolEntry {
    ComponentRow row;
    const char* prefix;
    const char* program;
    const char* description; // English; shown in the current language
};

const ToolEntry ToolEntries[] = {
    {NorrikRow, "Norrik - ", "vxnorrik.exe", "Back up your files and folders"},
    {NorrikRow, "Norrik Wendra - ", "Wendra.exe", "Copy folders with everything in them"},
    {OvalleRow, "Ovalle - ", "vxovalle.exe", "Work on a second desktop"},
    {YessaRow, "Yessa - ", "vxyessa.exe", "Bookmark places in the registry"},
    {ScrivoRow, "Scrivo - ", "vxscrivo.exe", "Write notes that stay on the desktop"},
    {HalderRow, "Halder - ", "vxhalder.exe", "Keep a history of the clipboard"},
    {FennetRow, "Fennet - ", "vxfennet.exe", "Start programs quickly from the tray"},
    {TovinRow, "Tovin - ", "vxtovin.exe", "Rename many files at once"},
    {PondryRow, "Pondry - ", "vxautopn.exe", "Save the desktop icon layout automatically"},
    {LumioRow, "Lumio - ", "vxlumio.exe", "Dim the screen for the night"},
    {KimberRow, "Kimber - ", "vxkimber.exe", "Find duplicate files"},
    {DewlitRow, "Dewlit - ", "vxdewlit.exe", "Remember dates and tasks"},
    {AmbroRow, "Ambro - ", "vxambro.exe", "Add your own commands to Explorer's menu"},
    {GlimmetRow, "Glimmet - ", "vxglimmet.exe", "Show a clock on the desktop"},
    {GraskRow, "Grask - ", "vxgrask.exe", "Shred files beyond recovery"},
    {CaddelRow, "Caddel - ", "vxcaddel.exe", "Shut down the computer on time"},
    {PellorRow, "Pellor - ", "vxpellor.exe", "Set the clock from a time server"},
    {OrvexRow, "Orvex - ", "vxorvex.exe", "Start programs on a schedule"},
    {QueshRow, "Quesh - ", "vxquesh.exe", "Search for text in files"},
    {StovalRow, "Stoval - ", "vxstoval.exe", "Watch folders for changes"},
    {BrollaRow, "Brolla - ", "vxbrolla.exe", "Pack and unpack archives"},
};

// Explorer's menu commands that the group window receives at the end.
const WPARAM FolderWindowCommands[] = {28713, 29232};

using EntryName = FixedString<MAX_PATH - 1>;

// wsprintfA with a translated format that keeps its one "%s".
void Format(EntryName& name, const char* prefix, const char* englishFormat)
{
    char text[1024];
    wsprintfA(text, VxTranslate(englishFormat, 0), Suite::ProductName);
    if (!name.assign(prefix) || !name.append(text))
        name.clear();
}

void Translated(EntryName& name, const char* prefix, const char* english)
{
    if (!name.assign(prefix) || !name.append(VxTranslate(english, 0)))
        name.clear();
}

// A shortcut whose path would not fit is left out.
void CreateShortcut(const char* linkFolder, const EntryName& linkName, const char* target, const char* arguments,
                    const char* workingFolder)
{
    PathBuffer link;
    if (linkName.empty() || !link.assign(linkFolder) || !link.append(linkName.c_str()) || !link.append(".lnk"))
        return;
    VxCreateShortcut(link.c_str(), target, arguments, workingFolder, 0);
}

void CreateToolShortcut(const char* folder, const char* program, const char* linkFolder, const EntryName& linkName,
                        const char* arguments)
{
    // Always a backslash of its own: an "InstallPath" ending in one gives two.
    PathBuffer target;
    if (!target.assign(folder) || (*program && (!target.append('\\') || !target.append(program))))
        return;
    CreateShortcut(linkFolder, linkName, target.c_str(), arguments, folder);
}

// The group's folder: the user's Start menu as Explorer records it, or the
// common one that every user's Start menu shows.
bool GroupFolder(bool forAllUsers, PathBuffer& group)
{
    if (forAllUsers)
        return SpecialFolderPath(CSIDL_COMMON_STARTMENU, Suite::ProductName, group);
    PathBuffer startMenu;
    return ReadRegistryText(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Start Menu", startMenu) == RegistryText::Read &&
           JoinPath(group, startMenu.c_str(), Suite::ProductName);
}

} // namespace

void CreateStartMenuEntries(bool forAllUsers)
{
    PathBuffer installFolder;
    if (!ReadInstallPath(installFolder))
        return;
    Platform.sleep(Waits::BeforeStartMenuGroup);

    PathBuffer group;
    if (!GroupFolder(forAllUsers, group))
        return;

    if (CreateDirectoryA(group.c_str(), nullptr))
        Platform.changeNotify(SHCNE_MKDIR, SHCNF_PATHA, group.c_str(), nullptr);
    const PathBuffer groupFolder = group;
    if (!forAllUsers)
        ShellExecuteA(nullptr, "open", group.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (!group.append('\\'))
        return;

    const char* install = installFolder.c_str();
    EntryName name;
    Format(name, "1a ", "Welcome to %s!");
    CreateShortcut(group.c_str(), name, "winhlp32.exe", "-i contents_ID Vexlo.hlp", install);
    Translated(name, "1c ", "Open this menu as folder");
    CreateShortcut(group.c_str(), name, groupFolder.c_str(), "", install);
    if (ComponentTable[FennetRow].selected) {
        Translated(name, "1d ", "Start all tray-based Vexlets");
        CreateToolShortcut(install, "vxfennet.exe", group.c_str(), name, "/startall");
        Translated(name, "1e ", "Stop all");
        CreateToolShortcut(install, "vxfennet.exe", group.c_str(), name, "/stopall");
    }
    for (const ToolEntry& entry : ToolEntries) {
        if (!ComponentTable[entry.row].selected)
            continue;
        Translated(name, entry.prefix, entry.description);
        CreateToolShortcut(install, entry.program, group.c_str(), name, "");
    }
    Format(name, "zz ", "Uninstall %s");
    CreateToolShortcut(install, "uninstall.exe", group.c_str(), name, "");
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);

    // Shown at a size where the whole group can be seen.
    if (forAllUsers)
        return;
    if (HWND window = FindWindowA(nullptr, groupFolder.c_str())) {
        SetWindowPos(window, nullptr, 10, 20, 630, 440, SWP_NOZORDER | SWP_NOACTIVATE);
        for (WPARAM command : FolderWindowCommands)
            PostMessageA(window, WM_COMMAND, command, 0);
    }
}
