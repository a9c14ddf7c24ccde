#include "uninstall/stages/first_stage.h"

#include <windows.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/run/running_tools.h"
#include "suite/text/fixed_string.h"
#include "suite/vexlo.h"
#include "uninstall/removal/registry_cleanup.h"
#include "uninstall/removal/suite_folder.h"
#include "uninstall/stages/copy_handover.h"
#include "uninstall/stages/stage_result.h"

namespace {

// What the silent first stage's wait gives when no report came.
constexpr int NoReport = -1;

void CloseTools()
{
    LoggedStage stage("closing running tools");
    RunningTools = {};
    CloseRunningTools(SuiteProgram::Uninstall);
}

UninstallExit InteractiveFirstStage(const UninstallRun& run, const RunLock& lock)
{
    CloseTools();
    char question[1024];
    wsprintfA(question, VxTranslate("This will uninstall %s.", 0), Suite::ProductName);
    // Only OK is consent: a message box that could not be shown (0) is no yes.
    if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        PathBuffer folder;
        ReadSuiteFolder(folder);
        RestartRunningTools(folder);
        return UninstallExit::Cancelled;
    }
    RemoveUninstallEntry();
    CopyParameters parameters;
    if (!ComposeCopyParameters(parameters, run, lock, nullptr))
        return UninstallExit::EndedUnfinished;
    LoggedStage stage("starting the copy in the temporary folder");
    return StartCopy(parameters, run, lock, nullptr, nullptr) ? UninstallExit::Ended : UninstallExit::EndedUnfinished;
}

// The management tool that started us waits for the result: the copy reports
// it, and deletes our program and library once we have ended.
UninstallExit SilentFirstStage(const UninstallRun& run, const RunLock& lock)
{
    // Without a folder the copy still removes what the registry and the
    // Start menu hold, as an interactive run does after its message.
    PathBuffer folder;
    ReadSuiteFolder(folder);
    StageResult result;
    CopyParameters parameters;
    if (!result.create() || !ComposeCopyParameters(parameters, run, lock, &result)) {
        LogLine("could not prepare the copy's report");
        return UninstallExit::NothingRemoved;
    }
    CloseTools();
    HANDLE copy = nullptr;
    {
        LoggedStage stage("starting the copy in the temporary folder");
        if (!StartCopy(parameters, run, lock, &result, &copy)) {
            // Nothing was removed: the tools closed at start come back.
            RestartRunningTools(folder);
            return UninstallExit::NothingRemoved;
        }
    }
    int reported;
    {
        LoggedStage stage("waiting for the copy's report");
        reported = result.wait(copy, Waits::SilentReportLimit, NoReport);
    }
    UninstallExit exitCode = static_cast<UninstallExit>(reported);
    // A copy that ended without a report may have cleaned the registry
    // before it broke off: the next attempt must still find the folder.
    if (!IsReport(reported)) {
        exitCode = UninstallExit::Incomplete;
        if (!folder.empty() && WaitForSingleObject(copy, 0) == WAIT_OBJECT_0) {
            VxWriteSuiteValue(HKEY_LOCAL_MACHINE, SuiteKeys::InstallPath, folder.c_str());
            LogLine("the copy ended without a result: kept InstallPath %s for the next attempt", folder.c_str());
        }
    }
    CloseHandle(copy);
    return exitCode;
}

} // namespace

UninstallExit RunFirstStage(const UninstallRun& run, const RunLock& lock)
{
    return run.silent ? SilentFirstStage(run, lock) : InteractiveFirstStage(run, lock);
}
