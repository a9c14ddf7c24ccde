// vexlo-user.exe: each user's part of an install for all users. Windows runs
// it once for each user at that user's logon (Active Setup's "StubPath"),
// with that user's rights and without elevation, so it asks for no
// administrator, shows nothing and writes only under HKEY_CURRENT_USER:
// what setup writes there for the user who installs.
#include <windows.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/run_log.h"
#include "suite/system/user_values.h"
#include "suite/text/fixed_string.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The library knows the suite by setup's identity: this is setup's work, done later.
    InitialiseRuntimeLibrary(instance, SuiteProgram::Setup);
    OpenRunLog(GetCommandLineA(), "vexlo-user");
    PathBuffer installDir;
    int exitCode = 1;
    if (!ReadInstallPath(installDir) || installDir.empty()) {
        LogLine("no InstallPath: nothing written");
    } else {
        LoggedStage stage("writing this user's values");
        for (UserValue value : UserValues)
            WriteUserValue(value, installDir);
        exitCode = 0;
    }
    CloseRunLog(exitCode);
    return exitCode;
}
