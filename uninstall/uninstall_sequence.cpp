#include "uninstall/uninstall_sequence.h"

#include "suite/catalogue/installer_codes.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/suite_keys.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_lock.h"
#include "suite/run/run_log.h"
#include "suite/run/running_tools.h"
#include "suite/system/folders_of_others.h"
#include "suite/system/temp_folder.h"
#include "suite/text/command_switches.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"
#include "uninstall/batch_file.h"
#include "uninstall/copy_handover.h"
#include "uninstall/file_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/shortcut_removal.h"
#include "uninstall/stage_result.h"
#include "uninstall/suite_folder.h"

namespace {

// Each way a run ends, in the uninstaller's own codes and in Windows Installer's.
const struct {
    UninstallExit exit;
    int code;
    int installerCode;
} ExitCodes[] = {
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

// "/msicodes": the exit codes of Windows Installer's convention.
bool installerCodes = false;

// What the silent first stage's wait gives when no report came.
constexpr int NoReport = -1;

// Whether a number the copy sent is one of the results a silent copy reports.
static_assert(static_cast<int>(UninstallExit::Removed) == 0 && static_cast<int>(UninstallExit::RestartNeeded) == 1 &&
                  static_cast<int>(UninstallExit::Incomplete) == 2 &&
                  static_cast<int>(UninstallExit::NotRegistered) == 3,
              "a silent copy's results come first");
bool IsReport(int reported)
{
    return reported >= static_cast<int>(UninstallExit::Removed) &&
           reported <= static_cast<int>(UninstallExit::NotRegistered);
}

bool HasInstallPath()
{
    PathBuffer folder;
    return ReadInstallPath(folder);
}

// How long the silent copy waits for the first stage to end before it
// deletes the program and library that stage ran from.
constexpr DWORD FirstStageEndLimit = 60 * 1000;

void CloseTools()
{
    LoggedStage stage("closing running tools");
    RunningTools = {};
    CloseRunningTools(SuiteProgram::Uninstall);
}

UninstallExit InteractiveFirstStage(const RunLock& lock)
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
    if (!ComposeCopyParameters(parameters, false, installerCodes, lock, nullptr))
        return UninstallExit::EndedUnfinished;
    LoggedStage stage("starting the copy in the temporary folder");
    return StartCopy(parameters, false, lock, nullptr, nullptr) ? UninstallExit::Ended : UninstallExit::EndedUnfinished;
}

// The management tool that started us waits for the result: the copy reports
// it, and deletes our program and library once we have ended.
UninstallExit SilentFirstStage(const RunLock& lock)
{
    // Without a folder the copy still removes what the registry and the
    // Start menu hold, as an interactive run does after its message.
    PathBuffer folder;
    ReadSuiteFolder(folder);
    StageResult result;
    CopyParameters parameters;
    if (!result.create() || !ComposeCopyParameters(parameters, true, installerCodes, lock, &result)) {
        LogLine("could not prepare the copy's report");
        return UninstallExit::NothingRemoved;
    }
    CloseTools();
    HANDLE copy = nullptr;
    {
        LoggedStage stage("starting the copy in the temporary folder");
        if (!StartCopy(parameters, true, lock, &result, &copy)) {
            // Nothing was removed: the tools closed at start come back.
            RestartRunningTools(folder);
            return UninstallExit::NothingRemoved;
        }
    }
    int reported;
    {
        LoggedStage stage("waiting for the copy's report");
        reported = result.wait(copy, SilentReportLimit, NoReport);
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

// Both kinds of second stage begin with these.
void RemoveShortcutsAndRegistry()
{
    {
        LoggedStage stage("removing shortcuts");
        RemoveShortcuts();
    }
    LoggedStage stage("cleaning the registry");
    CleanRegistry();
}

void WriteBatch()
{
    LoggedStage stage("writing the batch file");
    WriteSelfDeletingBatch();
}

bool RunsFromTemp()
{
    PathBuffer program;
    PathBuffer temp;
    DWORD length = GetModuleFileNameA(nullptr, program.buffer(), program.bufferSize());
    if (length == 0 || length >= program.bufferSize() || !TempFolderPath(temp))
        return false;
    program.settle();
    return CutAtLastBackslash(program) && IsSameFolder(program.c_str(), temp.c_str());
}

UninstallExit ResultOf(const Leftovers& leftovers)
{
    if (leftovers.failed > 0)
        return UninstallExit::Incomplete;
    return leftovers.scheduled > 0 ? UninstallExit::RestartNeeded : UninstallExit::Removed;
}

UninstallExit SilentSecondStage(const char* commandLine)
{
    StageResult result;
    // Without the report channel no first stage waits: the removing still goes on.
    if (!result.adopt(commandLine))
        LogLine("no first stage waits for the result");

    Leftovers leftovers;
    PathBuffer folder;
    // Looked at before anything goes: the silent first stage leaves the entry to us.
    bool registered = KeyExists(HKEY_LOCAL_MACHINE, SuiteKeys::UninstallEntry) || HasInstallPath();
    bool found = ReadSuiteFolder(folder);
    if (!found)
        ++leftovers.failed;
    RemoveShortcutsAndRegistry();
    if (KeyExists(HKEY_LOCAL_MACHINE, SuiteKeys::SuiteKey)) {
        LogLine("could not remove HKLM\\%s", SuiteKeys::SuiteKey);
        ++leftovers.failed;
    }
    // Left behind, it would have Windows run a program that is gone at every new user's logon.
    if (KeyExists(HKEY_LOCAL_MACHINE, SuiteKeys::ActiveSetupComponent, KEY_WOW64_64KEY))
        ++leftovers.failed;
    if (found) {
        LoggedStage stage("removing files");
        RemoveInstalledFilesSilently(folder.c_str(), leftovers);
    }
    UninstallExit exitCode = ResultOf(leftovers);
    // The entry goes once all is removed, or when no folder was found, which
    // a second run could not find either. After any other failure the
    // deployment tool's next attempt finds the uninstaller and its folder.
    if ((exitCode != UninstallExit::Incomplete || !found) && !RemoveUninstallEntry())
        exitCode = UninstallExit::Incomplete;
    if (exitCode == UninstallExit::Incomplete && found) {
        VxWriteSuiteValue(HKEY_LOCAL_MACHINE, SuiteKeys::InstallPath, folder.c_str());
        LogLine("kept InstallPath %s for the next attempt", folder.c_str());
    }
    if (exitCode == UninstallExit::Incomplete && !registered) {
        LogLine("nothing of the suite was registered");
        exitCode = UninstallExit::NotRegistered;
    }
    LogLine("reporting %d to the first stage", ExitCodeOf(exitCode, installerCodes));
    result.report(static_cast<int>(exitCode));

    if (found && (exitCode == UninstallExit::Removed || exitCode == UninstallExit::RestartNeeded)) {
        LoggedStage stage("removing the first stage's program and library");
        if (!result.waitForFirstStage(FirstStageEndLimit))
            LogLine("the first stage has not ended");
        // Reported already: what stays now is at least scheduled, and the
        // folder with it.
        RemoveFirstStageFiles(folder.c_str(), leftovers);
    }
    WriteBatch();
    return exitCode;
}

void InteractiveSecondStage()
{
    // Read before the registry cleanup deletes the key that holds it.
    PathBuffer folder;
    if (!ReadSuiteFolder(folder))
        ShowMessage("Cannot find install path to remove files.", MB_OK);
    RemoveShortcutsAndRegistry();
    if (!folder.empty()) {
        LoggedStage stage("removing files");
        RemoveInstalledFiles(folder.c_str());
    }
    WriteBatch();
}

} // namespace

int ExitCodeOf(UninstallExit exit, bool installerCodes)
{
    for (const auto& row : ExitCodes)
        if (row.exit == exit)
            return installerCodes ? row.installerCode : row.code;
    return installerCodes ? InstallerCode::Failed : 2;
}

int RunUninstall(HINSTANCE instance, const char* commandLine)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    bool second = FindSwitch(commandLine, "/internally", LetterCase::Exact) != nullptr;
    bool silent = FindSwitch(commandLine, "/silent") != nullptr;
    installerCodes = FindSwitch(commandLine, "/msicodes") != nullptr;
    // The copy writes on into its first stage's log.
    OpenRunLog(commandLine, second ? "uninstall (copy)" : "uninstall", second ? LogStart::Append : LogStart::Rotate);
    UninstallExit exitCode = UninstallExit::Ended;
    if (second && !RunsFromTemp()) {
        // Run by hand from the install folder, it would remove the files it
        // runs from and leave the entry behind: only the first stage's copy works.
        LogLine("the second stage runs only from the temporary folder: nothing changed");
        exitCode = silent ? UninstallExit::NothingRemoved : UninstallExit::EndedUnfinished;
    } else {
        // A silent run waits for another run to end; the copy holds the lock
        // its first stage handed over, and takes it only when run on its own.
        RunLock lock(RunLock::HandedOver{second ? HandedOverLock(commandLine) : nullptr, silent ? SilentLockWait : 0});
        if (!lock.held()) {
            LogLine("another setup or uninstall is running");
            if (silent) {
                exitCode = UninstallExit::AnotherRunInProgress;
            } else {
                ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
                exitCode = UninstallExit::AnotherRunAnnounced;
            }
        } else if (second) {
            exitCode = SecondStage(silent, commandLine);
        } else {
            exitCode = silent ? SilentFirstStage(lock) : InteractiveFirstStage(lock);
        }
    }
    int code = ExitCodeOf(exitCode, installerCodes);
    CloseRunLog(code);
    return code;
}

UninstallExit SecondStage(bool silent, const char* commandLine)
{
    if (silent)
        return SilentSecondStage(commandLine);
    InteractiveSecondStage();
    return UninstallExit::Ended;
}
