#include "uninstall/removal/registry_cleanup.h"

#include <windows.h>
#include <shlobj.h>

#include "suite/catalogue/removed_registry.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/registry_keys.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

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

// Splits "A\B\C" into the key "A\B" and the name "C"; false without a backslash.
bool SplitKey(const char* path, PathBuffer& parent, const char*& name)
{
    int last = LastBackslash(path);
    if (last < 0 || !parent.assign(path, static_cast<unsigned>(last)))
        return false;
    name = path + last + 1;
    return true;
}

// Under HKLM nothing is emptied first: the key goes only if the system
// deletes it with whatever it holds. The parent goes once no other product
// keeps a key in it, whatever values it holds.
void RemoveKeyAndParent(HKEY root, const char* path)
{
    PathBuffer parentPath;
    const char* name;
    HKEY parent;
    if (!SplitKey(path, parentPath, name) ||
        RegOpenKeyExA(root, parentPath.c_str(), 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
        return;
    if (RegDeleteKeyA(parent, name) == ERROR_SUCCESS)
        LogLine("removed %s\\%s", RootName(root), path);
    DWORD subkeys = 1;
    RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(parent);
    PathBuffer grandparentPath;
    const char* parentName;
    HKEY grandparent;
    if (subkeys == 0 && SplitKey(parentPath.c_str(), grandparentPath, parentName) &&
        RegOpenKeyExA(root, grandparentPath.c_str(), 0, KEY_ALL_ACCESS, &grandparent) == ERROR_SUCCESS) {
        if (RegDeleteKeyA(grandparent, parentName) == ERROR_SUCCESS)
            LogLine("removed %s\\%s", RootName(root), parentPath.c_str());
        RegCloseKey(grandparent);
    }
}

LONG RemoveKey(const RegistryRemoval& row)
{
    return RegDeleteKeyExA(row.root, row.key, row.view, 0);
}

void RemoveValues(const RegistryRemoval& row)
{
    HKEY key;
    if (RegOpenKeyExA(row.root, row.key, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < row.nameCount; ++i)
        RegDeleteValueA(key, row.names[i]);
    RegCloseKey(key);
}

void RemoveTreeWhileNaming(const RegistryRemoval& row)
{
    char type[280] = {};
    VxReadRegistryValue(row.root, row.key, nullptr, type, 260);
    if (lstrcmpiA(type, row.names[0]) == 0)
        DeleteKeyTree(row.root, row.key, KeyTreeMode::WholeKey);
}

void Remove(const RegistryRemoval& row)
{
    switch (row.removal) {
    case KeyRemoval::Subkeys:
        DeleteKeyTree(row.root, row.key, KeyTreeMode::SubkeysOnly);
        break;
    case KeyRemoval::Tree:
        DeleteKeyTree(row.root, row.key, KeyTreeMode::WholeKey);
        break;
    case KeyRemoval::KeyAndParent:
        RemoveKeyAndParent(row.root, row.key);
        break;
    case KeyRemoval::Key:
        if (LONG result = RemoveKey(row); result == ERROR_SUCCESS)
            LogLine("removed %s\\%s", RootName(row.root), row.key);
        else if (result != ERROR_FILE_NOT_FOUND)
            LogLine("could not remove %s\\%s (error %ld)", RootName(row.root), row.key, result);
        break;
    case KeyRemoval::Values:
        RemoveValues(row);
        break;
    case KeyRemoval::Extension:
        RemoveExtension(*row.extension);
        break;
    case KeyRemoval::TreeWhileNaming:
        RemoveTreeWhileNaming(row);
        break;
    }
    if (row.thenFileTypesChanged) {
        Platform.changeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        Platform.changeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
    }
}

} // namespace

void CleanRegistry()
{
    for (const RegistryRemoval& row : RegistryRemovals)
        Remove(row);
}

bool RemoveUninstallEntry()
{
    LONG result = RemoveKey(UninstallEntryRemoval);
    LogLine("%s %s\\%s",
            result == ERROR_SUCCESS ? "removed" : result == ERROR_FILE_NOT_FOUND ? "there was no" : "could not remove",
            RootName(UninstallEntryRemoval.root), UninstallEntryRemoval.key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
