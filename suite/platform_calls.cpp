#include "suite/platform_calls.h"

#include <shlobj.h>

#include "suite/suite_identity.h"

PlatformCalls Platform = {MessageBoxA, Sleep, SHChangeNotify};

int ShowMessage(const char* text, UINT style)
{
    return Platform.messageBox(nullptr, text, Suite::ProductName, style);
}
