#include "setup/driver/install_folder.h"

#include "setup/dialogs/options_dialog.h"
#include "setup/dialogs/resource_ids.h"
#include "setup/state/install_context.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/install_path.h"
#include "suite/system/registry_text.h"
#include "suite/text/path_text.h"
#include "suite/vexlo.h"

namespace {

const char* const FallbackProgramFolder = "C:\\Program Files\\";

bool ReadProgramFilesFolder(PathBuffer& folder)
{
    return ReadRegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                            folder) == RegistryText::Read &&
           !folder.empty();
}

bool AppendProductFolder(PathBuffer& folder)
{
    return JoinPath(folder, folder.c_str(), "Vexlo");
}

} // namespace

void ChooseDefaultInstallFolder()
{
    PathBuffer& folder = InstallContext.installDir;
    if (!folder.empty())
        return;

    // An empty "InstallPath" would send every later stage to the root of the
    // current drive, and a relative one wherever setup runs: like a root or a
    // folder of others, it counts as no earlier install (its files stay where they are).
    if (ReadInstallPath(folder)) {
        // A file of that name would end every silent run without installing.
        DWORD attributes = GetFileAttributesA(folder.c_str());
        if (FaultOfInstallFolder(folder.c_str()) == FolderFault::None &&
            (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)))
            return;
    }
    folder.clear();

    if (!ReadProgramFilesFolder(folder) || !AppendProductFolder(folder)) {
        if (!folder.assign(FallbackProgramFolder) || !AppendProductFolder(folder))
            folder.clear(); // never: the fallback is a short fixed text
    }
}

void RemoveInstallFolderTrailingBackslash()
{
    RemoveTrailingBackslash(InstallContext.installDir);
}

namespace {

FolderChoice SettleInstallFolder(HINSTANCE instance, CommandLineResult commandLine)
{
    if (commandLine != CommandLineResult::Read) {
        const char* refusal = commandLine == CommandLineResult::FolderTooLong    ? "The install folder is too long."
                              : commandLine == CommandLineResult::FolderOfOthers ? FolderOfOthersText
                                                                                 : FolderNotUsableText;
        LogLine("refused the install folder of \"/path:\": %s", refusal);
        if (!InstallContext.silent)
            ShowMessage(VxTranslate(refusal, 0), MB_OK | MB_ICONERROR);
        // The tools closed at start come back from where an earlier install put them.
        ChooseDefaultInstallFolder();
        return FolderChoice::Refused;
    }
    ChooseDefaultInstallFolder();

    if (!InstallContext.silent) {
        LoggedStage stage("options dialog");
        // Only OK is consent: a dialog that could not be shown (-1 or 0) installs nothing.
        INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, OptionsDialog, 0);
        if (answer != IDOK) {
            LogLine(answer == IDCANCEL ? "cancelled" : "the options dialog could not be shown");
            return answer == IDCANCEL ? FolderChoice::Cancelled : FolderChoice::NoDialog;
        }
    }

    RemoveInstallFolderTrailingBackslash();
    LogLine("install folder %s", InstallContext.installDir.c_str());
    // The options dialog makes the folder when the user confirms; a silent run
    // has no dialog, and copying into a folder that is not there would fail file by file.
    if (InstallContext.silent && !VxMakeFolder(InstallContext.installDir.c_str())) {
        LogLine("could not make the install folder");
        return FolderChoice::NotMade;
    }
    return FolderChoice::Chosen;
}

} // namespace

FolderChoice ChooseInstallFolder(HINSTANCE instance, CommandLineResult commandLine, PathBuffer& installDir)
{
    FolderChoice choice = SettleInstallFolder(instance, commandLine);
    installDir = InstallContext.installDir;
    return choice;
}
