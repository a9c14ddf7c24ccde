#include "uninstall/stages/uninstall_run.h"

#include "suite/run/exit_codes.h"
#include "suite/text/command_switches.h"

namespace {

// Each way a run ends, in the uninstaller's own codes and in Windows Installer's.
constexpr ExitCodeRow<UninstallExit> ExitCodes[] = {
    {UninstallExit::Removed, 1, InstallerCode::Success},
    {UninstallExit::RestartNeeded, 3010, InstallerCode::RestartNeeded},
    {UninstallExit::Incomplete, 2, InstallerCode::Failed},
    {UninstallExit::NotRegistered, 2, InstallerCode::NotInstalled},
    {UninstallExit::NothingRemoved, 3, InstallerCode::Failed},
    {UninstallExit::AnotherRunInProgress, 3, InstallerCode::AnotherRunInProgress},
    {UninstallExit::Ended, 1, InstallerCode::Success},
    {UninstallExit::Cancelled, 1, InstallerCode::Cancelled},
    {UninstallExit::EndedUnfinished, 1, InstallerCode::Failed},
    {UninstallExit::AnotherRunAnnounced, 1, InstallerCode::AnotherRunInProgress},
};
static_assert(HasOneRowPerExit(ExitCodes), "one row for each way a run of the uninstaller ends");

} // namespace

static_assert(static_cast<int>(UninstallExit::Removed) == 0 && static_cast<int>(UninstallExit::RestartNeeded) == 1 &&
                  static_cast<int>(UninstallExit::Incomplete) == 2 &&
                  static_cast<int>(UninstallExit::NotRegistered) == 3,
              "a silent copy's results come first");
bool IsReport(int reported)
{
    return reported >= static_cast<int>(UninstallExit::Removed) &&
           reported <= static_cast<int>(UninstallExit::NotRegistered);
}

UninstallRun ReadUninstallRun(const char* commandLine)
{
    return {commandLine, FindSwitch(commandLine, "/internally", LetterCase::Exact) != nullptr,
            FindSwitch(commandLine, "/silent") != nullptr, FindSwitch(commandLine, "/msicodes") != nullptr};
}

int ExitCodeOf(const UninstallRun& run, UninstallExit exit)
{
    return ExitCodeOf(ExitCodes, exit, run.installerCodes);
}
