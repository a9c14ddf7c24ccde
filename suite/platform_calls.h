// The few platform calls that tests must be able to answer or observe: asking
// the user, waiting, and telling the shell. Everything else is called directly.
#pragma once

#include <windows.h>

struct PlatformCalls {
    int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
    void(WINAPI* sleep)(DWORD milliseconds);
    void(WINAPI* changeNotify)(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);
};

extern PlatformCalls Platform;

// MessageBoxA with no owner and the product name as caption, as every message of the suite is shown.
int ShowMessage(const char* text, UINT style);
