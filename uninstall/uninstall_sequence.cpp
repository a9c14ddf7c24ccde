#include "uninstall/uninstall_sequence.h"

#include <shellapi.h>
#include <stdlib.h>

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
#include "uninstall/file_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/shortcut_removal.h"
#include "uninstall/stage_result.h"
#include "uninstall/suite_folder.h"

namespace {

// What the silent first stage's wait gives when no report came.
constexpr int NoReport = -1;

// How long the silent copy waits for the first stage to end before it
// deletes the program and library that stage ran from.
constexpr DWORD FirstStageEndLimit = 60 * 1000;

// True when the entry is gone, or was never there.
bool RemoveUninstallEntry()
{
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SuiteKeys::UninstallKey, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS)
        return false;
    LONG result = RegDeleteKeyA(uninstall, SuiteKeys::EntryName);
    RegCloseKey(uninstall);
    LogLine("%s HKLM\\%s",
            result == ERROR_SUCCESS ? "removed" : result == ERROR_FILE_NOT_FOUND ? "there was no" : "could not remove",
            SuiteKeys::UninstallEntry);
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
using CopyParameters = FixedString<MAX_PATH + 128>;
// The copy's program, quoted, and its parameters.
using CommandText = FixedString<2 * MAX_PATH + 160>;
bool AppendLogSwitch(CopyParameters& parameters)
{
    return !*RunLogSwitch() || (parameters.append(' ') && parameters.append(RunLogSwitch()));
}

// The copy holds the run lock from its start to its end: a setup started
// while it still removes files would otherwise lose its new ones to it.
bool AppendLockSwitch(CopyParameters& parameters, const RunLock& lock)
{
    char text[32];
    wsprintfA(text, " /lock:%lu", HandleToULong(lock.handle()));
    return !lock.handle() || parameters.append(text);
}

HANDLE HandedOverLock(const char* commandLine)
{
    const char* value = FindSwitch(commandLine, "/lock:");
    return value ? ULongToHandle(strtoul(value, nullptr, 10)) : nullptr;
}

int InteractiveFirstStage(const RunLock& lock)
{
    CloseTools();
    char question[1024];
    wsprintfA(question, VxTranslate("This will uninstall %s.", 0), Suite::ProductName);
    // Only OK is consent: a message box that could not be shown (0) is no yes.
    if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        PathBuffer folder;
        ReadSuiteFolder(folder);
        RestartRunningTools(folder);
        return 1;
    }
    RemoveUninstallEntry();
    CopyParameters parameters;
    if (!parameters.assign("/internally") || !AppendLockSwitch(parameters, lock) || !AppendLogSwitch(parameters))
        return 1;
    LoggedStage stage("starting the copy in the temporary folder");
    HANDLE inherited[] = {lock.handle()};
    RelaunchFromTemp(parameters.c_str(), false, nullptr, inherited, lock.handle() ? 1 : 0);
    return 1;
}

// The management tool that started us waits for the result: the copy reports
// it, and deletes our program and library once we have ended.
int SilentFirstStage(const RunLock& lock)
{
    // Without a folder the copy still removes what the registry and the
    // Start menu hold, as an interactive run does after its message.
    PathBuffer folder;
    ReadSuiteFolder(folder);
    StageResult result;
    CopyParameters parameters;
    if (!result.create() || !parameters.assign("/internally /silent") || !AppendLockSwitch(parameters, lock) ||
        !result.appendSwitch(parameters) || !AppendLogSwitch(parameters)) {
        LogLine("could not prepare the copy's report");
        return UninstallExit::NothingRemoved;
    }
    CloseTools();
    HANDLE copy = nullptr;
    {
        LoggedStage stage("starting the copy in the temporary folder");
        HANDLE inherited[1 + StageResult::HandleCount] = {lock.handle()};
        for (int i = 0; i < StageResult::HandleCount; ++i)
            inherited[1 + i] = result.handles()[i];
        int first = lock.handle() ? 0 : 1;
        if (!RelaunchFromTemp(parameters.c_str(), true, &copy, inherited + first, 1 + StageResult::HandleCount - first)) {
            // Nothing was removed: the tools closed at start come back.
            RestartRunningTools(folder);
            return UninstallExit::NothingRemoved;
        }
    }
    int exitCode;
    {
        LoggedStage stage("waiting for the copy's report");
        exitCode = result.wait(copy, SilentReportLimit, NoReport);
    }
    // A copy that ended without a report may have cleaned the registry
    // before it broke off: the next attempt must still find the folder.
    if (exitCode == NoReport) {
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
    StageResult result;
    // Without the report channel no first stage waits: the removing still goes on.
    if (!result.adopt(commandLine))
        LogLine("no first stage waits for the result");

    Leftovers leftovers;
    PathBuffer folder;
    bool found = ReadSuiteFolder(folder);
    if (!found)
        ++leftovers.failed;
    RemoveShortcutsAndRegistry();
    if (KeyExists(HKEY_LOCAL_MACHINE, SuiteKeys::SuiteKey)) {
        LogLine("could not remove HKLM\\%s", SuiteKeys::SuiteKey);
        ++leftovers.failed;
    }
    if (found) {
        LoggedStage stage("removing files");
        RemoveInstalledFilesSilently(folder.c_str(), leftovers);
    }
    int exitCode = ResultOf(leftovers);
    // The entry goes once all is removed, or when no folder was found, which
    // a second run could not find either. After any other failure the
    // deployment tool's next attempt finds the uninstaller and its folder.
    if ((exitCode != UninstallExit::Incomplete || !found) && !RemoveUninstallEntry())
        exitCode = UninstallExit::Incomplete;
    if (exitCode == UninstallExit::Incomplete && found) {
        VxWriteSuiteValue(HKEY_LOCAL_MACHINE, SuiteKeys::InstallPath, folder.c_str());
        LogLine("kept InstallPath %s for the next attempt", folder.c_str());
    }
    LogLine("reporting %d to the first stage", exitCode);
    result.report(exitCode);

    if (found && exitCode != UninstallExit::Incomplete) {
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

int RunUninstall(HINSTANCE instance, const char* commandLine)
{
    InitialiseRuntimeLibrary(instance, SuiteProgram::Uninstall);
    bool second = FindSwitch(commandLine, "/internally", LetterCase::Exact) != nullptr;
    bool silent = FindSwitch(commandLine, "/silent") != nullptr;
    // The copy writes on into its first stage's log.
    OpenRunLog(commandLine, second ? "uninstall (copy)" : "uninstall", second ? LogStart::Append : LogStart::Rotate);
    int exitCode = 1;
    if (second && !RunsFromTemp()) {
        // Run by hand from the install folder, it would remove the files it
        // runs from and leave the entry behind: only the first stage's copy works.
        LogLine("the second stage runs only from the temporary folder: nothing changed");
        if (silent)
            exitCode = UninstallExit::NothingRemoved;
    } else {
        // A silent run waits for another run to end; the copy holds the lock
        // its first stage handed over, and takes it only when run on its own.
        RunLock lock(RunLock::HandedOver{second ? HandedOverLock(commandLine) : nullptr, silent ? SilentLockWait : 0});
        if (!lock.held()) {
            LogLine("another setup or uninstall is running");
            if (silent)
                exitCode = UninstallExit::NothingRemoved;
            else
                ShowMessage(VxTranslate(AnotherRunText, 0), MB_OK | MB_ICONERROR);
        } else if (second) {
            exitCode = SecondStage(silent, commandLine);
        } else {
            exitCode = silent ? SilentFirstStage(lock) : InteractiveFirstStage(lock);
        }
    }
    CloseRunLog(exitCode);
    return exitCode;
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
int RelaunchFromTemp(const char* parameters, bool silent, HANDLE* started, const HANDLE* inherit, int inheritCount)
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

    // The handles it is given are inheritable for its start only.
    CommandText commandText;
    if (!commandText.assign("\"") || !commandText.append(programCopy.c_str()) || !commandText.append("\" ") ||
        !commandText.append(parameters))
        return Fail(silent, "Cannot start uninstall.exe in TEMP.");
    for (int i = 0; i < inheritCount; ++i)
        SetHandleInformation(inherit[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    STARTUPINFOEXA startup = {};
    startup.StartupInfo.cb = sizeof(startup.StartupInfo);
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_MINIMIZE;
    // Only these: a handle we were given to inherit ourselves (a deployment
    // tool's output pipe) would otherwise stay open as long as the copy runs.
    DWORD flags = 0;
    SIZE_T listSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    HANDLE heap = GetProcessHeap();
    auto list = static_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(inheritCount > 0 ? HeapAlloc(heap, 0, listSize) : nullptr);
    bool listMade = list && InitializeProcThreadAttributeList(list, 1, 0, &listSize);
    if (listMade && UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, const_cast<HANDLE*>(inherit),
                                              inheritCount * sizeof(HANDLE), nullptr, nullptr)) {
        startup.StartupInfo.cb = sizeof(startup);
        startup.lpAttributeList = list;
        flags = EXTENDED_STARTUPINFO_PRESENT;
    }
    PROCESS_INFORMATION process = {};
    BOOL created = CreateProcessA(programCopy.c_str(), commandText.buffer(), nullptr, nullptr, inheritCount > 0, flags,
                                  nullptr, workingFolder.c_str(), &startup.StartupInfo, &process);
    if (listMade)
        DeleteProcThreadAttributeList(list);
    if (list)
        HeapFree(heap, 0, list);
    for (int i = 0; i < inheritCount; ++i)
        SetHandleInformation(inherit[i], HANDLE_FLAG_INHERIT, 0);
    if (!created)
        return Fail(silent, "Cannot start uninstall.exe in TEMP.");
    LogLine("started %s %s", programCopy.c_str(), parameters);
    CloseHandle(process.hThread);
    if (started)
        *started = process.hProcess;
    else
        CloseHandle(process.hProcess);
    return 1;
}
