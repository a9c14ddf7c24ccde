#include "install_sequence.h"

#include <ole2.h>
#include <stdlib.h>

#include "command_line.h"
#include "completion.h"
#include "component_table.h"
#include "copy_engine.h"
#include "distribution_folder.h"
#include "install_context.h"
#include "install_folder.h"
#include "obsolete_files.h"
#include "old_shortcuts.h"
#include "options_dialog.h"
#include "platform_calls.h"
#include "previous_versions.h"
#include "registry_settings.h"
#include "running_tools.h"
#include "settings_backup.h"
#include "start_menu.h"
#include "suite_identity.h"
#include "vexlo.h"

namespace {

// The run stops before anything is installed; the tools closed at start come back.
int EndWithoutInstalling()
{
    FinishSetup(0);
    return 0;
}

void AskToStartTrayTools()
{
    // wsprintfA never writes more than 1,024 bytes; the catalogue keeps one %s.
    char installed[1024];
    wsprintfA(installed, VxTranslate("%s has been installed successfully!", 0), Suite::ProductName);
    FixedString<1023> text;
    text.assign(installed);
    text.append(" \r\n\r\n");
    text.append(VxTranslate("Start all tray-based Vexlets silently now?", 0));
    if (ShowMessage(text.c_str(), MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND) == IDYES)
        StartTrayTools();
}

} // namespace

int RunSetup(HINSTANCE instance, const char* commandTail, const char* distributionFolder)
{
    ResetInstallContext();
    InstallContext.instance = instance;
    SettleDistributionFolder(distributionFolder);
    InitialiseRuntimeLibrary(instance, SuiteProgram::Setup);

    if (HWND earlier = FindWindowA(nullptr, "Vexlo Setup"))
        ShowWindow(earlier, SW_HIDE);

    SYSTEMTIME utc;
    GetSystemTime(&utc);
    srand(utc.wMinute * 25152 + utc.wMilliseconds * 525055);

    RunningTools = {};
    CloseRunningTools(SuiteProgram::Setup);
    FillComponentTable();
    BackupUserSettings();
    RemovePreviousVersions();

    if (ReadCommandLine(commandTail) == CommandLineResult::FolderTooLong) {
        if (!InstallContext.silent)
            ShowMessage(VxTranslate("The install folder is too long.", 0), MB_OK | MB_ICONERROR);
        // The tools closed at start come back from where an earlier install put them.
        SettleDefaultInstallFolder();
        return EndWithoutInstalling();
    }
    SettleDefaultInstallFolder();

    if (!InstallContext.silent &&
        DialogBoxParamA(instance, MAKEINTRESOURCEA(OptionsDialogTemplate), nullptr, OptionsDialog, 0) == IDCANCEL)
        return EndWithoutInstalling();

    RemoveInstallFolderTrailingBackslash();
    // The options dialog makes the folder when the user confirms; a silent run
    // has no dialog, and copying into a folder that is not there would fail file by file.
    if (InstallContext.silent && !VxMakeFolder(InstallContext.installDir.c_str()))
        return EndWithoutInstalling();

    RemoveOldShortcuts();
    RemoveObsoleteFiles();
    RegisterSuite();
    int givenUp = CopySuiteFiles();

    OleInitialize(nullptr);
    if (InstallContext.createShortcuts)
        CreateStartMenuEntries();
    if (InstallContext.startTools)
        FinishSetup(1);
    else if (!InstallContext.silent)
        AskToStartTrayTools();
    OleUninitialize();
    // Whoever deployed a silent run learns that files are missing.
    return InstallContext.silent && givenUp ? 2 : 1;
}
