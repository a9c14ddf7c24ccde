#include "uninstall/uninstall_sequence.h"

#include <shellapi.h>

#include "suite/fixed_string.h"
#include "suite/path_text.h"
#include "suite/platform_calls.h"
#include "suite/run_lock.h"
#include "suite/running_tools.h"
#include "suite/suite_identity.h"
#include "suite/vexlo.h"
#include "uninstall/batch_file.h"
#include "uninstall/file_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/shortcut_removal.h"

namespace {

// Zeroed first: a failed read leaves the folder empty.
bool ReadInstallFolder(PathBuffer& folder)
{
    folder.clear();
    bool read = VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", folder.buffer()) != 0;
    folder.settle();
    return read;
}

void RemoveUninstallEntry()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(uninstall, Suite::Identifier);
    RegCloseKey(uninstall);
}

int Fail(const char* message)
{
    ShowMessage(message, MB_ICONERROR);
    return 0;
}

} // namespace

int RunUninstall(HINSTANCE instance, const char* commandLine)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    if (TextContains(commandLine, "/internally"))
        SecondStage();
    else
        FirstStage();
    return 1;
}

void FirstStage()
{
    // Held until the copy in the temporary folder has been started.
    RunLock lock;
    if (!lock.held()) {
        ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
        return;
    }
    RunningTools = {};
    CloseRunningTools(SuiteProgram::Uninstall);
    char question[1024];
    wsprintfA(question, VxTranslate("This will uninstall %s.", 0), Suite::ProductName);
    // Only OK is consent: a message box that could not be shown (0) is no yes.
    if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        PathBuffer folder;
        ReadInstallFolder(folder);
        RestartRunningTools(folder);
        return;
    }
    RemoveUninstallEntry();
    RelaunchFromTemp();
}

// The program and the library it needs cannot remove themselves: a copy in
// the temporary folder does the work.
int RelaunchFromTemp()
{
    PathBuffer program;
    DWORD length = GetModuleFileNameA(nullptr, program.buffer(), program.bufferSize());
    if (length == 0 || length >= program.bufferSize())
        return Fail("Cannot copy uninstall.exe to TEMP.");
    program.settle();

    PathBuffer temp;
    if (!TempFolderPath(temp))
        return Fail("Cannot copy uninstall.exe to TEMP.");
    // Started in the temporary folder exactly as Windows names it.
    const PathBuffer workingFolder = temp;
    CreateDirectoryA(temp.c_str(), nullptr);
    PathBuffer programCopy;
    PathBuffer libraryCopy;
    if (!JoinPath(programCopy, temp.c_str(), "uninstall.exe") ||
        !CopyFileA(program.c_str(), programCopy.c_str(), FALSE))
        return Fail("Cannot copy uninstall.exe to TEMP.");

    // The library beside the program (a program path always has a folder).
    PathBuffer library = program;
    CutAtLastBackslash(library);
    if (!library.append("\\Vexlo.dll") || !JoinPath(libraryCopy, temp.c_str(), "vexlo.dll") ||
        !CopyFileA(library.c_str(), libraryCopy.c_str(), FALSE))
        return Fail("Cannot copy Vexlo.dll to TEMP.");

    HINSTANCE started = ShellExecuteA(nullptr, nullptr, programCopy.c_str(), "/internally", workingFolder.c_str(),
                                      SW_MINIMIZE);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        return Fail("Cannot start uninstall.exe in TEMP.");
    return 1;
}

void SecondStage()
{
    // Read before the registry cleanup deletes the key that holds it.
    // A relative folder would be taken from the temporary folder this copy
    // runs in: it counts as no folder at all.
    PathBuffer folder;
    bool found = ReadInstallFolder(folder);
    if (found && !folder.empty() && ShapeOfFolder(folder.c_str()) == FolderShape::Other) {
        folder.clear();
        found = false;
    }
    if (!found)
        ShowMessage("Cannot find install path to remove files.", MB_OK);
    RemoveShortcuts();
    CleanRegistry();
    if (folder.length() > 1 && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        RemoveInstalledFiles(folder.c_str());
    WriteSelfDeletingBatch();
}
