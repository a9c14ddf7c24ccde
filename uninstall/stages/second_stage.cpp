#include "uninstall/stages/second_stage.h"

#include <windows.h>

#include "suite/catalogue/suite_keys.h"
#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/folders_of_others.h"
#include "suite/system/install_path.h"
#include "suite/system/registry_keys.h"
#include "suite/system/temp_folder.h"
#include "suite/text/fixed_string.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"
#include "uninstall/removal/file_removal.h"
#include "uninstall/removal/registry_cleanup.h"
#include "uninstall/removal/shortcut_removal.h"
#include "uninstall/removal/suite_folder.h"
#include "uninstall/stages/batch_file.h"
#include "uninstall/stages/stage_result.h"

namespace {

bool HasInstallPath()
{
    PathBuffer folder;
    return ReadInstallPath(folder);
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

UninstallExit ResultOf(const Leftovers& leftovers)
{
    if (leftovers.failed > 0)
        return UninstallExit::Incomplete;
    return leftovers.scheduled > 0 ? UninstallExit::RestartNeeded : UninstallExit::Removed;
}

UninstallExit SilentSecondStage(const UninstallRun& run)
{
    StageResult result;
    // Without the report channel no first stage waits: the removing still goes on.
    if (!result.adopt(run.commandLine))
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
    LogLine("reporting %d to the first stage", ExitCodeOf(run, exitCode));
    result.report(static_cast<int>(exitCode));

    if (found && (exitCode == UninstallExit::Removed || exitCode == UninstallExit::RestartNeeded)) {
        LoggedStage stage("removing the first stage's program and library");
        if (!result.waitForFirstStage(Waits::FirstStageEndLimit))
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

UninstallExit SecondStage(const UninstallRun& run)
{
    if (run.silent)
        return SilentSecondStage(run);
    InteractiveSecondStage();
    return UninstallExit::Ended;
}
