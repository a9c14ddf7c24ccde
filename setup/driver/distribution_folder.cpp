#include "distribution_folder.h"

#include <windows.h>

PathBuffer DistributionFolder;

void SettleDistributionFolder(const char* folder)
{
    DistributionFolder.clear();
    if (folder) {
        if (!DistributionFolder.assign(folder) || !DistributionFolder.appendBackslashIfMissing())
            DistributionFolder.clear();
        return;
    }
    DWORD length = GetModuleFileNameA(nullptr, DistributionFolder.buffer(), DistributionFolder.bufferSize());
    if (length == 0 || length >= DistributionFolder.bufferSize()) {
        DistributionFolder.clear();
        return;
    }
    DistributionFolder.settle();
    while (!DistributionFolder.empty() && !DistributionFolder.endsWith('\\'))
        DistributionFolder.truncate(DistributionFolder.length() - 1);
}
