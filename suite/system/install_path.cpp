#include "suite/system/install_path.h"

#include "suite/catalogue/suite_keys.h"
#include "suite/vexlo.h"

bool ReadInstallPath(PathBuffer& folder)
{
    folder.clear();
    bool read = VxReadSuiteValue(HKEY_LOCAL_MACHINE, SuiteKeys::InstallPath, folder.buffer()) != 0;
    folder.settle();
    return read;
}
