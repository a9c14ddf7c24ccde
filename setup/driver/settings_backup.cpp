#include "setup/driver/settings_backup.h"

#include "suite/system/temp_folder.h"
#include "suite/vexlo.h"

bool BuildBackupFilePath(const SYSTEMTIME& localTime, PathBuffer& path)
{
    if (!TempFolderPath(path))
        return false;

    // Seven WORD fields of at most five digits each: far below wsprintfA's limit.
    char stamp[64];
    wsprintfA(stamp, "%04i%02i%02i-%02i%02i%02i.%03i", localTime.wYear, localTime.wMonth, localTime.wDay,
              localTime.wHour, localTime.wMinute, localTime.wSecond, localTime.wMilliseconds);
    // A second backslash after the temporary folder's own: Windows reads the
    // pair as one, and the backups of every earlier release were named so.
    return path.append("\\Vexlo Settings before Setup ") && path.append(stamp);
}

void BackupUserSettings()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    PathBuffer path;
    if (BuildBackupFilePath(now, path))
        VxSaveRegistryBranch(0, SettingsBranch, path.c_str());
}
