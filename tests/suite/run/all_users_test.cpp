// Which runs install for every user: the system account, which Wine never
// runs as (its token's user is answered here), or "/allusers".
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "suite/run/all_users.h"
#include "tests/support/platform_recorder.h"

namespace {

const char* answeredUser; // a SID's text, or null for a token that cannot be read

BOOL WINAPI AnswerTokenUser(HANDLE, TOKEN_INFORMATION_CLASS kind, LPVOID information, DWORD size, PDWORD needed)
{
    PSID sid;
    if (!answeredUser || kind != TokenUser || !ConvertStringSidToSidA(answeredUser, &sid)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD length = GetLengthSid(sid);
    *needed = sizeof(TOKEN_USER) + length;
    BOOL fits = size >= *needed;
    if (fits) {
        auto* user = static_cast<TOKEN_USER*>(information);
        user->User.Sid = static_cast<BYTE*>(information) + sizeof(TOKEN_USER);
        user->User.Attributes = 0;
        CopySid(length, user->User.Sid, sid);
    } else {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    }
    LocalFree(sid);
    return fits;
}

} // namespace

TEST(AllUsers, TheSystemAccountOrTheSwitchInstallsForAllUsers)
{
    EXPECT_FALSE(RunsAsSystemAccount());
    EXPECT_FALSE(AllUsersMode("/silent /nostart"));
    EXPECT_TRUE(AllUsersMode("/SILENT /AllUsers"));
    EXPECT_FALSE(AllUsersMode("/log:\"c:\\logs\\x/allusers.log\""));

    PlatformRecorder platform;
    Platform.tokenInformation = AnswerTokenUser;
    const struct {
        const char* user;
        bool system;
    } accounts[] = {
        {"S-1-5-18", true},
        {"S-1-5-19", false}, // the local service
        {"S-1-5-32-544", false}, // the administrators' group, never a token's user
        {"S-1-5-21-1004336348-1177238915-682003330-1000", false},
        {nullptr, false},
    };
    for (const auto& account : accounts) {
        answeredUser = account.user;
        EXPECT_EQ(RunsAsSystemAccount(), account.system) << (account.user ? account.user : "unreadable");
        EXPECT_EQ(AllUsersMode("/silent"), account.system);
    }
}
