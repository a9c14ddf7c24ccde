#include "tests/support/process_runner.h"

#include <tlhelp32.h>

#include <vector>

StartedProcess StartProgram(const std::string& program, const std::string& arguments,
                            const std::string& workingFolder)
{
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back(0);

    std::string folder = workingFolder;
    if (folder.empty()) {
        size_t slash = program.find_last_of('\\');
        if (slash != std::string::npos)
            folder = program.substr(0, slash);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    StartedProcess started;
    if (CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        started.process = info.hProcess;
        started.id = info.dwProcessId;
    }
    return started;
}

int WaitForExit(StartedProcess& started, DWORD timeoutMs)
{
    if (!started.process)
        return -2;
    int result = -1;
    if (WaitForSingleObject(started.process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(started.process, &code);
        result = static_cast<int>(code);
    } else {
        TerminateProcess(started.process, 255);
        WaitForSingleObject(started.process, 5000);
    }
    CloseHandle(started.process);
    started.process = nullptr;
    return result;
}

int RunProgram(const std::string& program, const std::string& arguments, DWORD timeoutMs,
               const std::string& workingFolder)
{
    StartedProcess started = StartProgram(program, arguments, workingFolder);
    return WaitForExit(started, timeoutMs);
}

int EndProcessesNamed(const char* exeName)
{
    int ended = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0)
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 255);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
            ++ended;
        }
    }
    CloseHandle(snapshot);
    return ended;
}
