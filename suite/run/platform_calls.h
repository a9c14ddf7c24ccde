// The few platform calls that tests must be able to answer or observe: asking
// the user, waiting, telling the shell, and starting an earlier release's
// uninstaller (whose start Wine does not show for every command), and reading
// the run lock's owner and the process's account (under Wine every object is
// the user's own, and no process is the system account), and scheduling a
// file's replacement for the next restart (which Wine always lets us).
// Everything else is called directly.
#pragma once

#include <windows.h>
#include <aclapi.h>

#include "suite/text/fixed_string.h"

struct PlatformCalls {
    int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
    void(WINAPI* sleep)(DWORD milliseconds);
    void(WINAPI* changeNotify)(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);
    HINSTANCE(WINAPI* shellExecute)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                    INT show);
    DWORD(WINAPI* securityInfo)(HANDLE object, SE_OBJECT_TYPE type, SECURITY_INFORMATION wanted, PSID* owner,
                                PSID* group, PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* descriptor);
    BOOL(WINAPI* tokenInformation)(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID information, DWORD size,
                                   PDWORD needed);
    BOOL(WINAPI* moveFileEx)(LPCSTR from, LPCSTR to, DWORD flags);
};

extern PlatformCalls Platform;

// Room for a message of two parts, each at most what wsprintfA or a
// translation gives (1,024 bytes).
using MessageText = FixedString<2047>;

// `heading`, `separator` and `body` as one message. Should the whole not fit,
// the body alone: it says what the buttons answer, and no message is shown cut.
void ComposeMessage(MessageText& text, const char* heading, const char* separator, const char* body);

// MessageBoxA with no owner and the product name as caption, as every message of the suite is shown.
int ShowMessage(const char* text, UINT style);
