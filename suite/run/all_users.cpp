#include "suite/run/all_users.h"

#include <windows.h>

#include "suite/run/platform_calls.h"
#include "suite/text/command_switches.h"

bool RunsAsSystemAccount()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    // TOKEN_USER followed by its SID; no SID is longer than SECURITY_MAX_SID_SIZE.
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } information;
    DWORD needed = 0;
    bool system = Platform.tokenInformation(token, TokenUser, &information, sizeof(information), &needed) &&
                  information.user.User.Sid && IsValidSid(information.user.User.Sid) &&
                  IsWellKnownSid(information.user.User.Sid, WinLocalSystemSid);
    CloseHandle(token);
    return system;
}

bool AllUsersMode(const char* commandLine)
{
    return FindSwitch(commandLine, "/allusers") != nullptr || RunsAsSystemAccount();
}
