#include "uninstall/registry_cleanup.h"

#include <shlobj.h>

#include "suite/catalogue/component_table.h"
#include "suite/catalogue/shell_extension_table.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

// The archive tool's file type, which its extension's menu serves.
const char* const ArchiveType = "ZervBrolla";

// The class and every handler key; one that would not fit was never written.
void RemoveExtension(const ShellExtension& extension)
{
    PathBuffer key;
    if (ClassKey(extension, key))
        DeleteKeyTree(HKEY_CLASSES_ROOT, key.c_str(), KeyTreeMode::WholeKey);
    for (int kind = 0; kind < extension.kindCount; ++kind)
        if (HandlerKey(extension, kind, key))
            DeleteKeyTree(HKEY_CLASSES_ROOT, key.c_str(), KeyTreeMode::WholeKey);
}

// The suite key goes; the maker's key too once no other product keeps a key in it.
void RemoveMakerKey(HKEY root)
{
    HKEY maker;
    if (RegOpenKeyExA(root, SuiteKeys::MakerKey, 0, KEY_ALL_ACCESS, &maker) != ERROR_SUCCESS)
        return;
    if (RegDeleteKeyA(maker, SuiteKeys::SuiteKeyName) == ERROR_SUCCESS)
        LogLine("removed %s\\%s", RootName(root), SuiteKeys::SuiteKey);
    DWORD subkeys = 1;
    RegQueryInfoKeyA(maker, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(maker);
    HKEY software;
    if (subkeys == 0 && RegOpenKeyExA(root, "Software", 0, KEY_ALL_ACCESS, &software) == ERROR_SUCCESS) {
        if (RegDeleteKeyA(software, SuiteKeys::MakerName) == ERROR_SUCCESS)
            LogLine("removed %s\\%s", RootName(root), SuiteKeys::MakerKey);
        RegCloseKey(software);
    }
}

void RemoveMakerKeys()
{
    DeleteKeyTree(HKEY_CURRENT_USER, SuiteKeys::SuiteKey, KeyTreeMode::SubkeysOnly);
    DeleteKeyTree(HKEY_CURRENT_USER, SuiteKeys::MakerKey, KeyTreeMode::SubkeysOnly);
    RemoveMakerKey(HKEY_CURRENT_USER);
    RemoveMakerKey(HKEY_LOCAL_MACHINE);
    DeleteKeyTree(HKEY_CLASSES_ROOT, SuiteKeys::SettingsType, KeyTreeMode::WholeKey);
    DeleteKeyTree(HKEY_CLASSES_ROOT, SuiteKeys::SettingsClass, KeyTreeMode::WholeKey);
    HKEY help;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", 0, KEY_ALL_ACCESS, &help) !=
        ERROR_SUCCESS)
        return;
    for (const char* helpFile : RegisteredHelpFiles)
        RegDeleteValueA(help, helpFile);
    RegCloseKey(help);
}

void RemoveLayoutType()
{
    DeleteKeyTree(HKEY_CLASSES_ROOT, SuiteKeys::LayoutType, KeyTreeMode::WholeKey);
    DeleteKeyTree(HKEY_CLASSES_ROOT, SuiteKeys::LayoutClass, KeyTreeMode::WholeKey);
    DeleteKeyTree(HKEY_CURRENT_USER, SuiteKeys::SoundScheme, KeyTreeMode::WholeKey);
    Platform.changeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

// ".zip" goes only while it names the archive tool's type: otherwise it
// belongs to another program.
void RemoveArchiveExtension()
{
    RemoveExtension(BrollaMenuExtension);
    DeleteKeyTree(HKEY_CLASSES_ROOT, ArchiveType, KeyTreeMode::WholeKey);
    char type[280] = {};
    VxReadRegistryValue(HKEY_CLASSES_ROOT, ".zip", nullptr, type, 260);
    if (lstrcmpiA(type, ArchiveType) == 0)
        DeleteKeyTree(HKEY_CLASSES_ROOT, ".zip", KeyTreeMode::WholeKey);
}

// Whether or not this was an install for all users: removed from Windows'
// list of programs, an install for all users goes whole. Users who already
// had their logon's part keep its values; the user who uninstalls loses them
// now, and with them the note of having had them, so that a later install
// for all users gives them again.
void RemoveActiveSetup()
{
    // Setup wrote it into the 64-bit view, which only a delete that names the view reaches.
    LONG result = RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, KEY_WOW64_64KEY, 0);
    if (result == ERROR_SUCCESS)
        LogLine("removed HKLM\\%s", SuiteKeys::ActiveSetupComponent);
    else if (result != ERROR_FILE_NOT_FOUND)
        LogLine("could not remove HKLM\\%s (error %ld)", SuiteKeys::ActiveSetupComponent, result);
    DeleteKeyTree(HKEY_CURRENT_USER, SuiteKeys::ActiveSetupComponent, KeyTreeMode::WholeKey);
}

} // namespace

void DeleteKeyTree(HKEY root, const char* path, KeyTreeMode mode)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        // Always index 0: each deleted subkey frees it for the next. Any
        // other answer than a name, or a subkey that will not go, ends the
        // loop, which would otherwise ask for the same subkey for ever.
        for (;;) {
            char name[MAX_PATH];
            DWORD size = sizeof(name);
            FILETIME written;
            if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
                break;
            PathBuffer child;
            if (JoinPath(child, path, name))
                DeleteKeyTree(root, child.c_str(), KeyTreeMode::SubkeysOnly);
            if (RegDeleteKeyA(key, name) != ERROR_SUCCESS)
                break;
        }
        RegCloseKey(key);
    }
    if (mode != KeyTreeMode::WholeKey)
        return;
    int last = LastBackslash(path);
    if (last < 0) {
        if (RegDeleteKeyA(root, path) == ERROR_SUCCESS)
            LogLine("removed %s\\%s", RootName(root), path);
        return;
    }
    PathBuffer parent;
    if (!parent.assign(path, static_cast<unsigned>(last)))
        return;
    HKEY parentKey;
    if (RegOpenKeyExA(root, parent.c_str(), 0, KEY_ALL_ACCESS, &parentKey) == ERROR_SUCCESS) {
        if (RegDeleteKeyA(parentKey, path + last + 1) == ERROR_SUCCESS)
            LogLine("removed %s\\%s", RootName(root), path);
        RegCloseKey(parentKey);
    }
}

void CleanRegistry()
{
    RemoveMakerKeys();
    RemoveLayoutType();
    RemoveExtension(NorrikMenuExtension);
    RemoveExtension(AmbroMenuExtension);
    RemoveArchiveExtension();
    RemoveActiveSetup();
}

// True when the entry is gone, or was never there.
bool RemoveUninstallEntry()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SuiteKeys::UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return false;
    LONG result = RegDeleteKeyA(uninstall, SuiteKeys::EntryName);
    RegCloseKey(uninstall);
    LogLine("%s HKLM\\%s",
            result == ERROR_SUCCESS ? "removed" : result == ERROR_FILE_NOT_FOUND ? "there was no" : "could not remove",
            SuiteKeys::UninstallEntry);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool KeyExists(HKEY root, const char* path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
