#include "setup/state/distribution_folder.h"

#include <windows.h>

#include "suite/text/path_text.h"

PathBuffer DistributionFolder;

void SetDistributionFolder(const char* folder)
{
    DistributionFolder.clear();
    if (folder) {
        if (!DistributionFolder.assign(folder) || !AppendBackslashIfMissing(DistributionFolder))
            DistributionFolder.clear();
        return;
    }
    DWORD length = GetModuleFileNameA(nullptr, DistributionFolder.buffer(), DistributionFolder.bufferSize());
    if (length == 0 || length >= DistributionFolder.bufferSize()) {
        DistributionFolder.clear();
        return;
    }
    DistributionFolder.settle();
    // The program's folder, with its backslash.
    DistributionFolder.truncate(static_cast<unsigned>(LastBackslash(DistributionFolder.c_str()) + 1));
}
