#include "settings_backup.h"

#include "vexlo.h"

bool BuildBackupFilePath(const SYSTEMTIME& localTime, PathBuffer& path)
{
    path.clear();
    DWORD length = GetTempPathA(path.bufferSize(), path.buffer());
    if (length == 0 || length >= path.bufferSize()) {
        path.clear();
        return false;
    }
    path.settle();

    // Seven WORD fields of at most five digits each: far below wsprintfA's limit.
    char stamp[64];
    wsprintfA(stamp, "%04i%02i%02i-%02i%02i%02i.%03i", localTime.wYear, localTime.wMonth, localTime.wDay,
              localTime.wHour, localTime.wMinute, localTime.wSecond, localTime.wMilliseconds);
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
