#include "uninstall/stages/copy_handover.h"

#include <stdlib.h>

#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"
#include "suite/system/temp_folder.h"
#include "suite/text/command_switches.h"
#include "suite/text/path_text.h"

namespace {

bool Fail(bool silent, const char* message)
{
    LogLine("%s", message);
    if (!silent)
        ShowMessage(message, MB_ICONERROR);
    return false;
}

// The copy's program, quoted, and its parameters.
using CommandText = FixedString<2 * MAX_PATH + 160>;

// The copy writes on into the same log.
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

} // namespace

HANDLE HandedOverLock(const char* commandLine)
{
    const char* value = FindSwitch(commandLine, "/lock:");
    return value ? ULongToHandle(strtoul(value, nullptr, 10)) : nullptr;
}

bool ComposeCopyParameters(CopyParameters& parameters, const UninstallRun& run, const RunLock& lock,
                           const StageResult* result)
{
    return parameters.assign(run.silent ? "/internally /silent" : "/internally") &&
           (!run.installerCodes || parameters.append(" /msicodes")) && AppendLockSwitch(parameters, lock) &&
           (!result || result->appendSwitch(parameters)) && AppendLogSwitch(parameters);
}

bool StartCopy(const CopyParameters& parameters, const UninstallRun& run, const RunLock& lock,
               const StageResult* result, HANDLE* copy)
{
    HANDLE inherited[1 + StageResult::HandleCount];
    int count = 0;
    if (lock.handle())
        inherited[count++] = lock.handle();
    for (int i = 0; result && i < StageResult::HandleCount; ++i)
        inherited[count++] = result->handles()[i];
    return RelaunchFromTemp(parameters.c_str(), run.silent, copy, inherited, count);
}

// The program and the library it needs cannot remove themselves: a copy in
// the temporary folder does the work.
bool RelaunchFromTemp(const char* parameters, bool silent, HANDLE* started, const HANDLE* inherit, int inheritCount)
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
    return true;
}
