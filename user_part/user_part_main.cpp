// vexlo-user.exe: each user's part of an install for all users. Windows runs
// it once for each user at that user's logon (Active Setup's "StubPath"),
// with that user's rights and without elevation, so it asks for no
// administrator, shows nothing and writes only under HKEY_CURRENT_USER:
// what setup writes there for the user who installs.
#include <windows.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/run/exit_codes.h"
#include "suite/run/run_log.h"
#include "suite/system/install_path.h"
#include "suite/system/user_values.h"
#include "suite/text/fixed_string.h"

namespace {

enum class UserPartExit { Written, NoInstallPath, Count };

// Windows runs it at logon and reads no exit code, but a log and a test do.
// It takes no "/msicodes": the second column only keeps the table's shape.
constexpr ExitCodeRow<UserPartExit> ExitCodes[] = {
    {UserPartExit::Written, 0, InstallerCode::Success},
    {UserPartExit::NoInstallPath, 1, InstallerCode::NotInstalled},
};
static_assert(HasOneRowPerExit(ExitCodes), "one row for each way a run of vexlo-user.exe ends");

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The library knows the suite by setup's identity: this is setup's work, done later.
    InitialiseRuntimeLibrary(instance, SuiteProgram::Setup);
    OpenRunLog(GetCommandLineA(), "vexlo-user");
    PathBuffer installDir;
    UserPartExit exit = UserPartExit::NoInstallPath;
    if (!ReadInstallPath(installDir) || installDir.empty()) {
        LogLine("no InstallPath: nothing written");
    } else {
        LoggedStage stage("writing this user's values");
        for (UserValue value : UserValues)
            WriteUserValue(value, installDir);
        exit = UserPartExit::Written;
    }
    int exitCode = ExitCodeOf(ExitCodes, exit, false);
    CloseRunLog(exitCode);
    return exitCode;
}
