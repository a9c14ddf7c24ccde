#include "setup/driver/previous_versions.h"

#include <windows.h>
#include <shellapi.h>

#include "suite/catalogue/earlier_releases.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/system/registry_text.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"

namespace {

const char* const UninstallKey = SuiteKeys::UninstallKey;
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
    PathBuffer keyPath;
    PathBuffer command;
    // Opened for all access: a run that may not change a release's key leaves
    // that release alone.
    if (!JoinPath(keyPath, UninstallKey, release) ||
        ReadRegistryText(HKEY_LOCAL_MACHINE, keyPath.c_str(), "UninstallString", command, nullptr, KEY_ALL_ACCESS) !=
            RegistryText::Read)
        return;
    // Without "/uninstall", or without a program in front of it, there is
    // nothing that could be started safely.
    int at = Find(command.c_str(), UninstallSwitch);
    if (at <= 0)
        return;
    PathBuffer arguments;
    if (!arguments.assign(command.c_str() + at))
        return;
    // The program is what stands before the blank in front of the switch;
    // blanks alone name none, and ShellExecuteA would open a folder instead.
    command.truncate(static_cast<unsigned>(at - 1));
    bool named = false;
    for (unsigned i = 0; i < command.length(); ++i)
        named = named || (command[i] != ' ' && command[i] != '\t');
    if (!named)
        return;
    Platform.shellExecute(nullptr, nullptr, command.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

} // namespace

void RemovePreviousVersions()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) == ERROR_SUCCESS) {
        RegDeleteKeyA(uninstall, UnnumberedLayoutEntry);
        RegCloseKey(uninstall);
    }
    for (const char* release : NumberedLayoutReleases)
        RunUninstaller(release);
}
