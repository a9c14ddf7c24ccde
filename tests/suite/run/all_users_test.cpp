// Which runs install for every user: the system account, which Wine never
// runs as (its token's user is answered here), or "/allusers".
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>

#include "suite/run/all_users.h"
#include "tests/support/platform_recorder.h"

namespace {

const char* answeredUser; // a SID's text, or null for a token that cannot be read

BOOL WINAPI AnswerTokenUser(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID information, DWORD size, PDWORD needed)
{
    PSID sid;
    if (!answeredUser || !ConvertStringSidToSidA(answeredUser, &sid))
        return FALSE;
    auto* user = static_cast<TOKEN_USER*>(information);
    user->User.Sid = user + 1;
    user->User.Attributes = 0;
    *needed = sizeof(TOKEN_USER) + GetLengthSid(sid);
    BOOL fits = size >= *needed && CopySid(GetLengthSid(sid), user + 1, sid);
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
    // The local service, the administrators' group (never a token's user), a user, and a token that cannot be read.
    for (const char* user : {"S-1-5-18", "S-1-5-19", "S-1-5-32-544", "S-1-5-21-1004336348-1177238915-682003330-1000",
                             static_cast<const char*>(nullptr)}) {
        answeredUser = user;
        bool system = user && std::string(user) == "S-1-5-18";
        EXPECT_EQ(RunsAsSystemAccount(), system) << (user ? user : "unreadable");
        EXPECT_EQ(AllUsersMode("/silent"), system);
    }
}
