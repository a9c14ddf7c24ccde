#include "setup/registration/registry_settings.h"

#include <shlobj.h>

#include "setup/registration/file_associations.h"
#include "setup/registration/shell_extensions.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/catalogue/version.h"
#include "suite/run/run_log.h"
#include "suite/system/registry_rows.h"
#include "suite/system/registry_text.h"
#include "suite/system/temp_folder.h"
#include "suite/system/user_values.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

constexpr const char* UninstallEntryKey = SuiteKeys::UninstallEntry;

const RegistryRow UninstallEntry[] = {
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "DisplayName", "Vexlo"},
    // What Windows' list of programs and the administrators' tools read besides.
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "Publisher", SuiteKeys::MakerName},
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "InstallLocation", "{install}"},
};
// The program always quoted: unquoted, a path with blanks is first tried as
// "C:\My.exe" and a "&" ends the command. setup.exe is not installed and any
// tool may be left out: the icon is the uninstaller's.
const RegistryRow EntryCommands[] = {
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "UninstallString", "\"{install}\\uninstall.exe\""},
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "DisplayIcon", "{install}\\uninstall.exe,0"},
};
// Deployment tools take the suite for installed once the entry names its
// version: only a copy that gave up no file writes it.
const RegistryRow EntryVersion[] = {
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "DisplayVersion", VEXLO_VERSION_TEXT},
};

// Every tool that runs it (winget, Ansible) reads 0 as the only success.
const RegistryRow QuietUninstall[] = {
    {Writer::Direct, HKEY_LOCAL_MACHINE, UninstallEntryKey, "QuietUninstallString",
     "\"{install}\\uninstall.exe\" /silent /msicodes"},
};

// After an install for all users, Windows runs "StubPath" at each user's
// logon, with that user's rights and without elevation, whenever the user has
// not yet had this "Version". It must therefore need no administrator. The
// component goes into the system's native view, which every Windows
// processes, not into the 32-bit one our programs see by default.
const RegistryRow ActiveSetup[] = {
    {Writer::Direct, HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, nullptr, "Vexlo", false, KEY_WOW64_64KEY},
    {Writer::Direct, HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, "Version", VEXLO_VERSION_COMMAS, false,
     KEY_WOW64_64KEY},
    {Writer::Direct, HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, "StubPath",
     "\"{install}\\vexlo-user.exe\"", false, KEY_WOW64_64KEY},
};

// An earlier release of the layout tool started its autosave program from here.
void RemoveOldAutostart()
{
    HKEY run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                      &run) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(run, "AutoPNT");
    RegCloseKey(run);
}

void WriteNumber(HKEY key, const char* keyName, const char* value, DWORD number)
{
    LONG result = RegSetValueExA(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    LogLine("%s HKLM\\%s [%s] = %lu", result == ERROR_SUCCESS ? "wrote" : "could not write", keyName, value,
            number);
}

void WriteEntryNumber(HKEY entry, const char* value, DWORD number)
{
    WriteNumber(entry, UninstallEntryKey, value, number);
}

void RegisterActiveSetup(const PathBuffer& installDir)
{
    WriteRows(ActiveSetup, EntryCommandCapacity, installDir);
    HKEY component;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                      &component) != ERROR_SUCCESS)
        return;
    WriteNumber(component, SuiteKeys::ActiveSetupComponent, "IsInstalled", 1);
    RegCloseKey(component);
}

void RegisterHelpFiles(const PathBuffer& installDir)
{
    PathBuffer helpFolder;
    if (!JoinPath(helpFolder, installDir.c_str(), InstallSubfolder::Help))
        return;
    for (const char* helpFile : RegisteredHelpFiles)
        VxWriteRegistryValue(HKEY_LOCAL_MACHINE, SuiteKeys::HelpFiles, helpFile, REG_SZ,
                             helpFolder.c_str(), helpFolder.length() + 1);
}

// A value of each user's for the user who runs setup; after an install for
// all users, each user's logon writes it instead (vexlo-user.exe).
void WriteForInstallingUser(UserValue value, const PathBuffer& installDir)
{
    if (!InstallContext.allUsers)
        WriteUserValue(value, installDir);
}

} // namespace

void CompleteUninstallEntry(const PathBuffer& installDir, bool copiedAll, DWORD installedKiB)
{
    if (copiedAll)
        WriteRows(EntryVersion, DirectRowCapacity, installDir);
    HKEY entry;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallEntryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &entry,
                        nullptr) != ERROR_SUCCESS) {
        LogLine("could not open HKLM\\%s", UninstallEntryKey);
        return;
    }
    if (copiedAll)
        WriteEntryNumber(entry, "EstimatedSize", installedKiB);
    else
        LogLine("left out DisplayVersion and EstimatedSize: files were given up");
    WriteEntryNumber(entry, "NoModify", 1);
    WriteEntryNumber(entry, "NoRepair", 1);
    RegCloseKey(entry);
    WriteRows(QuietUninstall, EntryCommandCapacity, installDir);
}

void RegisterSuite(const PathBuffer& installDir)
{
    VxWriteSuiteValue(HKEY_LOCAL_MACHINE, SuiteKeys::InstallPath, installDir.c_str());
    LogLine("wrote HKLM\\%s [%s] = %s", SuiteKeys::SuiteKey, SuiteKeys::InstallPath, installDir.c_str());
    WriteRows(UninstallEntry, DirectRowCapacity, installDir);
    WriteRows(EntryCommands, EntryCommandCapacity, installDir);
    // An earlier install's version would make a run that breaks off or gives
    // up files look complete; the copy writes them again.
    HKEY entry;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallEntryKey, 0, KEY_SET_VALUE, &entry) == ERROR_SUCCESS) {
        RegDeleteValueA(entry, "DisplayVersion");
        RegDeleteValueA(entry, "EstimatedSize");
        RegCloseKey(entry);
    }
    WriteForInstallingUser(UserValue::SchedulerNote, installDir);
    RemoveOldAutostart();
    WriteForInstallingUser(UserValue::SoundEvents, installDir);
    RegisterLayoutFiles(installDir);
    WriteForInstallingUser(UserValue::AutosaveFolder, installDir);
    RegisterNorrikMenuExtension(installDir);
    // The shell-menu and archive tools find their programs through these.
    WriteForInstallingUser(UserValue::AmbroOptions, installDir);
    RegisterAmbroMenuExtension(installDir);
    WriteForInstallingUser(UserValue::BrollaPath, installDir);
    RegisterBrollaMenuExtension(installDir);
    RegisterSettingsFiles(installDir);
    RegisterHelpFiles(installDir);
    if (InstallContext.allUsers)
        RegisterActiveSetup(installDir);
}
