#include "suite/platform_calls.h"

#include <shellapi.h>
#include <shlobj.h>

#include "suite/suite_identity.h"

PlatformCalls Platform = {MessageBoxA, Sleep, SHChangeNotify, ShellExecuteA};

int ShowMessage(const char* text, UINT style)
{
    return Platform.messageBox(nullptr, text, Suite::ProductName, style);
}

void ComposeMessage(MessageText& text, const char* heading, const char* separator, const char* body)
{
    if (text.assign(heading) && text.append(separator) && text.append(body))
        return;
    if (!text.assign(body))
        text.clear();
}
