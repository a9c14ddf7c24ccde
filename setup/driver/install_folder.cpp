#include "install_folder.h"

#include "install_context.h"
#include "vexlo.h"

namespace {

const char* const FallbackProgramFolder = "C:\\Program Files\\";

bool ReadProgramFilesFolder(PathBuffer& folder)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return false;
    DWORD size = folder.bufferSize();
    LONG result = RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(folder.buffer()), &size);
    RegCloseKey(key);
    folder.settle();
    return result == ERROR_SUCCESS && !folder.empty();
}

bool AppendProductFolder(PathBuffer& folder)
{
    return folder.appendBackslashIfMissing() && folder.append("Vexlo");
}

} // namespace

void SettleDefaultInstallFolder()
{
    PathBuffer& folder = InstallContext.installDir;
    if (!folder.empty())
        return;

    // An empty "InstallPath" would send every later stage to the root of the
    // current drive; it counts as no earlier install.
    if (VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", folder.buffer())) {
        folder.settle();
        if (!folder.empty())
            return;
    }
    folder.clear();

    if (!ReadProgramFilesFolder(folder) || !AppendProductFolder(folder)) {
        folder.assign(FallbackProgramFolder);
        AppendProductFolder(folder);
    }
}

void RemoveTrailingBackslash()
{
    PathBuffer& folder = InstallContext.installDir;
    if (folder.endsWith('\\'))
        folder.truncate(folder.length() - 1);
}
