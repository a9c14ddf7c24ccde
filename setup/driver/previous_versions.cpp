#include "previous_versions.h"

#include <windows.h>
#include <shellapi.h>

#include "fixed_string.h"

namespace {

const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Deleted outright: nothing of it needs running.
const char* const UnnumberedEntry = "ZervPondry";
// Started newest first; each release removes its own entry.
const char* const NumberedReleases[] = {"ZERV Pondry 3.0", "ZERV Pondry 2.0", "ZERV Pondry 1.0"};
const char* const UninstallSwitch = "/uninstall";

// Where `part` starts in `text`, or -1.
int Find(const char* text, const char* part)
{
    for (int at = 0; text[at]; ++at) {
        int i = 0;
        while (part[i] && text[at + i] == part[i])
            ++i;
        if (!part[i])
            return at;
    }
    return -1;
}

void RunUninstaller(const char* release)
{
    FixedString<MAX_PATH> keyPath;
    if (!keyPath.assign(UninstallKey) || !keyPath.append('\\') || !keyPath.append(release))
        return;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    // One byte more than the value may fill, so that the text always ends.
    char program[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    LONG read = RegQueryValueExA(key, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(program), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return;
    program[size < MAX_PATH ? size : MAX_PATH] = 0;

    // Without "/uninstall", or without a program in front of it, there is
    // nothing that could be started safely.
    int at = Find(program, UninstallSwitch);
    if (at <= 0)
        return;
    PathBuffer arguments;
    if (!arguments.assign(program + at))
        return;
    program[at - 1] = 0;
    ShellExecuteA(nullptr, nullptr, program, arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

} // namespace

void RemovePreviousVersions()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) == ERROR_SUCCESS) {
        RegDeleteKeyA(uninstall, UnnumberedEntry);
        RegCloseKey(uninstall);
    }
    for (const char* release : NumberedReleases)
        RunUninstaller(release);
}
