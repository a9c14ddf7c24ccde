#include "suite/system/temp_folder.h"

#include <windows.h>

bool TempFolderPath(PathBuffer& folder)
{
    folder.clear();
    DWORD length = GetTempPathA(folder.bufferSize(), folder.buffer());
    if (length == 0 || length >= folder.bufferSize()) {
        folder.clear();
        return false;
    }
    folder.settle();
    return true;
}
