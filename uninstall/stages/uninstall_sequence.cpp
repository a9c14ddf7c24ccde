#include "uninstall/stages/uninstall_sequence.h"

#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_lock.h"
#include "suite/run/run_log.h"
#include "suite/vexlo.h"
#include "uninstall/stages/copy_handover.h"
#include "uninstall/stages/first_stage.h"
#include "uninstall/stages/second_stage.h"
#include "uninstall/stages/uninstall_run.h"

namespace {

UninstallExit Uninstall(const UninstallRun& run)
{
    if (run.second && !RunsFromTemp()) {
        // Run by hand from the install folder, it would remove the files it
        // runs from and leave the entry behind: only the first stage's copy works.
        LogLine("the second stage runs only from the temporary folder: nothing changed");
        return run.silent ? UninstallExit::NothingRemoved : UninstallExit::EndedUnfinished;
    }
    // A silent run waits for another run to end; the copy holds the lock
    // its first stage handed over, and takes it only when run on its own.
    RunLock lock(RunLock::HandedOver{run.second ? HandedOverLock(run.commandLine) : nullptr,
                                     run.silent ? Waits::SilentLockWait : 0});
    if (!lock.held()) {
        LogLine("another setup or uninstall is running");
        if (run.silent)
            return UninstallExit::AnotherRunInProgress;
        ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
        return UninstallExit::AnotherRunAnnounced;
    }
    return run.second ? SecondStage(run) : RunFirstStage(run, lock);
}

} // namespace

int RunUninstall(HINSTANCE instance, const char* commandLine)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    const UninstallRun run = ReadUninstallRun(commandLine);
    // The copy writes on into its first stage's log.
    OpenRunLog(commandLine, run.second ? "uninstall (copy)" : "uninstall",
               run.second ? LogStart::Append : LogStart::Rotate);
    int code = ExitCodeOf(run, Uninstall(run));
    CloseRunLog(code);
    return code;
}
