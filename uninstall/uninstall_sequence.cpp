#include "uninstall/uninstall_sequence.h"

#include <shellapi.h>
#include <stdlib.h>

#include "suite/command_switches.h"
#include "suite/fixed_string.h"
#include "suite/path_text.h"
#include "suite/platform_calls.h"
#include "suite/run_lock.h"
#include "suite/run_log.h"
#include "suite/running_tools.h"
#include "suite/suite_identity.h"
#include "suite/vexlo.h"
#include "uninstall/batch_file.h"
#include "uninstall/file_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/shortcut_removal.h"
#include "uninstall/stage_result.h"

namespace {

constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// How long the silent copy waits for the first stage to end before it
// deletes the program and library that stage ran from.
constexpr DWORD FirstStageEndLimit = 60 * 1000;

// Zeroed first: a failed read leaves the folder empty.
bool ReadInstallFolder(PathBuffer& folder)
{
    folder.clear();
    bool read = VxReadSuiteValue(HKEY_LOCAL_MACHINE, "InstallPath", folder.buffer()) != 0;
    folder.settle();
    return read;
}

// A relative folder would be taken from the temporary folder the copy runs
// in: it counts as no folder at all, and so does an empty one.
bool ReadUsableInstallFolder(PathBuffer& folder)
{
    if (ReadInstallFolder(folder) && !folder.empty() && ShapeOfFolder(folder.c_str()) != FolderShape::Other)
        return true;
    folder.clear();
    return false;
}

// True when the entry is gone, or was never there.
bool RemoveUninstallEntry()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return false;
    LONG result = RegDeleteKeyA(uninstall, Suite::Identifier);
    RegCloseKey(uninstall);
    LogLine("%s HKLM\\%s\\%s", result == ERROR_SUCCESS ? "removed" : "could not remove", UninstallKey,
            Suite::Identifier);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

int Fail(bool silent, const char* message)
{
    LogLine("%s", message);
    if (!silent)
        ShowMessage(message, MB_ICONERROR);
    return 0;
}

void CloseTools()
{
    LoggedStage stage("closing running tools");
    RunningTools = {};
    CloseRunningTools(SuiteProgram::Uninstall);
}

// The copy in the temporary folder writes the same log.
using CopyParameters = FixedString<MAX_PATH + 64>;
bool AppendLogSwitch(CopyParameters& parameters)
{
    return !*RunLogSwitch() || (parameters.append(' ') && parameters.append(RunLogSwitch()));
}

int InteractiveFirstStage()
{
    CloseTools();
    char question[1024];
    wsprintfA(question, VxTranslate("This will uninstall %s.", 0), Suite::ProductName);
    // Only OK is consent: a message box that could not be shown (0) is no yes.
    if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        PathBuffer folder;
        ReadInstallFolder(folder);
        RestartRunningTools(folder);
        return 1;
    }
    RemoveUninstallEntry();
    CopyParameters parameters;
    if (!parameters.assign("/internally") || !AppendLogSwitch(parameters))
        return 1;
    LoggedStage stage("starting the copy in the temporary folder");
    RelaunchFromTemp(parameters.c_str());
    return 1;
}

// The management tool that started us waits for the result: the copy reports
// it, and deletes our program and library once we have ended.
int SilentFirstStage()
{
    PathBuffer folder;
    if (!ReadUsableInstallFolder(folder)) {
        LogLine("no usable install folder: nothing to remove");
        return UninstallExit::NothingRemoved;
    }
    StageResult result;
    if (!result.create(GetCurrentProcessId())) {
        LogLine("could not prepare the copy's report");
        return UninstallExit::NothingRemoved;
    }
    CopyParameters parameters;
    char waitFor[48];
    wsprintfA(waitFor, "/internally /silent /waitfor:%lu", GetCurrentProcessId());
    if (!parameters.assign(waitFor) || !AppendLogSwitch(parameters))
        return UninstallExit::NothingRemoved;
    CloseTools();
    HANDLE copy = nullptr;
    {
        LoggedStage stage("starting the copy in the temporary folder");
        if (!RelaunchFromTemp(parameters.c_str(), true, &copy)) {
            // Nothing was removed: the tools closed at start come back.
            RestartRunningTools(folder);
            return UninstallExit::NothingRemoved;
        }
    }
    // Only now: a copy that never started leaves the suite listed as installed.
    bool entryRemoved = RemoveUninstallEntry();
    int exitCode;
    {
        LoggedStage stage("waiting for the copy's report");
        exitCode = result.wait(copy, SilentReportLimit, UninstallExit::Incomplete);
    }
    if (copy)
        CloseHandle(copy);
    if (!entryRemoved && exitCode != UninstallExit::NothingRemoved)
        exitCode = UninstallExit::Incomplete;
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

int ResultOf(const Leftovers& leftovers)
{
    if (leftovers.failed > 0)
        return UninstallExit::Incomplete;
    return leftovers.scheduled > 0 ? UninstallExit::RestartNeeded : UninstallExit::Removed;
}

bool KeyExists(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

int SilentSecondStage(const char* commandLine)
{
    const char* waitFor = FindSwitch(commandLine, "/waitfor:");
    DWORD firstStage = waitFor ? strtoul(waitFor, nullptr, 10) : 0;
    StageResult result;
    // Without the first stage's report channel it has ended (its wait ran
    // out): the removing still goes on.
    if (!result.open(firstStage))
        LogLine("the first stage waits no more");

    Leftovers leftovers;
    PathBuffer folder;
    bool found = ReadUsableInstallFolder(folder);
    if (!found) {
        LogLine("no usable install folder: its files stay");
        ++leftovers.failed;
    }
    RemoveShortcutsAndRegistry();
    if (KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets")) {
        LogLine("could not remove HKLM\\Software\\ZERV Software\\Vexlets");
        ++leftovers.failed;
    }
    bool haveFolder = found && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (haveFolder) {
        LoggedStage stage("removing files");
        RemoveInstalledFilesSilently(folder.c_str(), leftovers);
    }
    int exitCode = ResultOf(leftovers);
    LogLine("reporting %d to the first stage", exitCode);
    result.report(exitCode);

    if (haveFolder) {
        LoggedStage stage("removing the first stage's program and library");
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, firstStage)) {
            if (WaitForSingleObject(process, FirstStageEndLimit) != WAIT_OBJECT_0)
                LogLine("the first stage has not ended");
            CloseHandle(process);
        }
        // Reported already: what stays now is at least scheduled, and the
        // folder with it.
        RemoveFirstStageFiles(folder.c_str(), leftovers);
    }
    WriteBatch();
    return exitCode;
}

void InteractiveSecondStage()
{
    // Read before the registry cleanup deletes the key that holds it. An
    // empty value is read but names no folder; a relative one counts as none.
    PathBuffer folder;
    bool found = ReadInstallFolder(folder);
    if (found && !folder.empty() && ShapeOfFolder(folder.c_str()) == FolderShape::Other) {
        folder.clear();
        found = false;
    }
    if (!found)
        ShowMessage("Cannot find install path to remove files.", MB_OK);
    RemoveShortcutsAndRegistry();
    if (folder.length() > 1 && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        LoggedStage stage("removing files");
        RemoveInstalledFiles(folder.c_str());
    }
    WriteBatch();
}

} // namespace

int RunUninstall(HINSTANCE instance, const char* commandLine)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    bool second = TextContains(commandLine, "/internally");
    bool silent = FindSwitch(commandLine, "/silent") != nullptr;
    OpenRunLog(commandLine, second ? "uninstall (copy)" : "uninstall");
    int exitCode = second ? SecondStage(silent, commandLine) : FirstStage(silent);
    CloseRunLog(exitCode);
    return exitCode;
}

int FirstStage(bool silent)
{
    // Held until the copy in the temporary folder has done its work or been started.
    RunLock lock;
    if (!lock.held()) {
        LogLine("another setup or uninstall is running");
        if (silent)
            return UninstallExit::NothingRemoved;
        ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
        return 1;
    }
    return silent ? SilentFirstStage() : InteractiveFirstStage();
}

int SecondStage(bool silent, const char* commandLine)
{
    if (silent)
        return SilentSecondStage(commandLine);
    InteractiveSecondStage();
    return 1;
}

// The program and the library it needs cannot remove themselves: a copy in
// the temporary folder does the work.
int RelaunchFromTemp(const char* parameters, bool silent, HANDLE* started)
{
    PathBuffer program;
    DWORD length = GetModuleFileNameA(nullptr, program.buffer(), program.bufferSize());
    if (length == 0 || length >= program.bufferSize())
        return Fail(silent, "Cannot copy uninstall.exe to TEMP.");
    program.settle();

    PathBuffer temp;
    if (!TempFolderPath(temp))
        return Fail(silent, "Cannot copy uninstall.exe to TEMP.");
    // Started in the temporary folder exactly as Windows names it.
    const PathBuffer workingFolder = temp;
    CreateDirectoryA(temp.c_str(), nullptr);
    PathBuffer programCopy;
    PathBuffer libraryCopy;
    if (!JoinPath(programCopy, temp.c_str(), "uninstall.exe") ||
        !CopyFileA(program.c_str(), programCopy.c_str(), FALSE))
        return Fail(silent, "Cannot copy uninstall.exe to TEMP.");

    // The library beside the program (a program path always has a folder).
    PathBuffer library = program;
    CutAtLastBackslash(library);
    if (!library.append("\\Vexlo.dll") || !JoinPath(libraryCopy, temp.c_str(), "vexlo.dll") ||
        !CopyFileA(library.c_str(), libraryCopy.c_str(), FALSE))
        return Fail(silent, "Cannot copy Vexlo.dll to TEMP.");

    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_NOCLOSEPROCESS | (silent ? SEE_MASK_FLAG_NO_UI : 0);
    start.lpFile = programCopy.c_str();
    start.lpParameters = parameters;
    start.lpDirectory = workingFolder.c_str();
    start.nShow = SW_MINIMIZE;
    if (!ShellExecuteExA(&start) || reinterpret_cast<INT_PTR>(start.hInstApp) <= 32)
        return Fail(silent, "Cannot start uninstall.exe in TEMP.");
    LogLine("started %s %s", programCopy.c_str(), parameters);
    if (started)
        *started = start.hProcess;
    else if (start.hProcess)
        CloseHandle(start.hProcess);
    return 1;
}
