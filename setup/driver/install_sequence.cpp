#include "setup/driver/install_sequence.h"

#include <ole2.h>
#include <stdlib.h>

#include "setup/dialogs/options_dialog.h"
#include "setup/driver/command_line.h"
#include "setup/driver/completion.h"
#include "setup/driver/install_folder.h"
#include "setup/driver/previous_versions.h"
#include "setup/driver/settings_backup.h"
#include "setup/install/copy_engine.h"
#include "setup/install/obsolete_files.h"
#include "setup/install/old_shortcuts.h"
#include "setup/install/start_menu.h"
#include "setup/registration/registry_settings.h"
#include "setup/state/distribution_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/component_table.h"
#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/run/exit_codes.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_lock.h"
#include "suite/run/run_log.h"
#include "suite/run/running_tools.h"
#include "suite/system/pending_operations.h"
#include "suite/vexlo.h"

namespace {

// Each way a run ends, in setup's own codes and in Windows Installer's.
constexpr ExitCodeRow<SetupExit> ExitCodes[] = {
    {SetupExit::Completed, 1, InstallerCode::Success},
    {SetupExit::RestartNeeded, 3010, InstallerCode::RestartNeeded},
    {SetupExit::FilesGivenUp, 2, InstallerCode::Failed},
    {SetupExit::AnotherRunInProgress, 3, InstallerCode::AnotherRunInProgress},
    {SetupExit::AnotherRunAnnounced, 0, InstallerCode::AnotherRunInProgress},
    {SetupExit::FolderRefused, 0, InstallerCode::FolderRefused},
    {SetupExit::FolderNotMade, 0, InstallerCode::Failed},
    {SetupExit::Cancelled, 0, InstallerCode::Cancelled},
    {SetupExit::NoDialog, 0, InstallerCode::Failed},
};
static_assert(HasOneRowPerExit(ExitCodes), "one row for each way a run of setup ends");

// The run stops before anything is installed; the tools closed at start come back.
SetupExit EndWithoutInstalling(FolderChoice choice, const PathBuffer& installDir)
{
    FinishSetup(0, installDir);
    switch (choice) {
    case FolderChoice::Refused:
        return SetupExit::FolderRefused;
    case FolderChoice::NotMade:
        return SetupExit::FolderNotMade;
    case FolderChoice::NoDialog:
        return SetupExit::NoDialog;
    default:
        return SetupExit::Cancelled;
    }
}

void AskToStartTrayTools()
{
    // wsprintfA never writes more than 1,024 bytes; the catalogue keeps one %s.
    char installed[1024];
    wsprintfA(installed, VxTranslate("%s has been installed successfully!", 0), Suite::ProductName);
    MessageText text;
    ComposeMessage(text, installed, " \r\n\r\n", VxTranslate("Start all tray-based Vexlets silently now?", 0));
    if (ShowMessage(text.c_str(), MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND) == IDYES)
        StartTrayTools();
}

SetupExit Install(HINSTANCE instance, const char* commandTail, const char* distributionFolder)
{
    ResetInstallContext();
    InstallContext.instance = instance;
    SetDistributionFolder(distributionFolder);
    InitialiseRuntimeLibrary(instance, SuiteProgram::Setup);
    ReadDeploymentSwitches(commandTail);

    // Held to the end of the run; a second run ends before it changes anything.
    // A silent run waits for the run before it: the uninstaller's copy may
    // still be deleting its last files.
    bool silent = AsksForSilence(commandTail);
    RunLock lock(silent ? Waits::SilentLockWait : 0);
    if (!lock.held()) {
        LogLine("another setup or uninstall is running");
        if (silent)
            return SetupExit::AnotherRunInProgress;
        ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
        return SetupExit::AnotherRunAnnounced;
    }

    if (HWND earlier = FindWindowA(nullptr, "Vexlo Setup"))
        ShowWindow(earlier, SW_HIDE);

    // Setup draws no random numbers itself; the seed is there for whatever
    // else in the process draws from the C library's generator.
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    srand(utc.wMinute * 25152 + utc.wMilliseconds * 525055);

    {
        LoggedStage stage("closing running tools");
        RunningTools = {};
        CloseRunningTools(SuiteProgram::Setup);
    }
    FillComponentTable();
    {
        LoggedStage stage("backing up settings");
        BackupUserSettings();
    }
    {
        LoggedStage stage("removing earlier releases");
        RemovePreviousVersions();
    }

    PathBuffer installDir;
    FolderChoice choice = ChooseInstallFolder(instance, ReadCommandLine(commandTail), installDir);
    if (choice != FolderChoice::Chosen)
        return EndWithoutInstalling(choice, installDir);
    if (InstallContext.allUsers)
        LogLine("installing for all users: each user's values come at that user's logon");

    {
        LoggedStage stage("removing old shortcuts");
        RemoveOldShortcuts(InstallContext.allUsers);
    }
    {
        LoggedStage stage("removing obsolete files");
        RemoveObsoleteFiles(installDir.c_str());
    }
    {
        LoggedStage stage("writing the registry");
        RegisterSuite(installDir);
    }
    CopyResult copied;
    {
        LoggedStage stage("copying files");
        // An earlier uninstall's deletions at the next restart would take the
        // new files, and an earlier setup's replacements would put older ones back.
        ClearPendingOperations(installDir.c_str(), PendingKinds::DeletionsAndReplacements);
        copied = CopySuiteFiles(installDir);
        CompleteUninstallEntry(installDir, copied.givenUp == 0, InstalledSuiteKiB(installDir));
    }
    if (copied.givenUp)
        LogLine("%d files given up", copied.givenUp);
    if (copied.scheduled)
        LogLine("%d files are replaced at the next restart", copied.scheduled);

    OleInitialize(nullptr);
    if (InstallContext.createShortcuts) {
        LoggedStage stage("creating the Start-menu group");
        CreateStartMenuEntries(InstallContext.allUsers);
    }
    {
        LoggedStage stage("finishing");
        // Nobody's desktop is ours when we install for all users.
        if (InstallContext.allUsers)
            LogLine("no tray tool started: installed for all users");
        else if (InstallContext.startTools)
            FinishSetup(1, installDir);
        else if (!InstallContext.silent)
            AskToStartTrayTools();
    }
    OleUninitialize();
    // Whoever deployed a silent run learns that files are missing, or that
    // the install is finished only once Windows restarts.
    if (InstallContext.silent && copied.givenUp)
        return SetupExit::FilesGivenUp;
    return copied.scheduled ? SetupExit::RestartNeeded : SetupExit::Completed;
}

} // namespace

int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder)
{
    OpenRunLog(commandTail, "setup");
    SetupExit exit = Install(instance, commandTail, distributionFolder);
    int exitCode = ExitCodeOf(ExitCodes, exit, InstallContext.installerCodes);
    CloseRunLog(exitCode);
    return exitCode;
}
