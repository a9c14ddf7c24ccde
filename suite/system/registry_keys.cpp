#include "suite/system/registry_keys.h"

#include "suite/run/run_log.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"

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

bool KeyExists(HKEY root, const char* path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
