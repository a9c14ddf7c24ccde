// Plays the user for `make demo` without a display: starts a program and
// answers OK in every message box that a program of the same file name shows
// (the uninstaller's two stages are two processes), until no such program is
// left or a minute has passed.
//   demo_user.exe PROGRAM [ARGUMENTS]
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/process_runner.h"
#include "tests/support/window_driver.h"

namespace {

std::vector<DWORD> ProcessesNamed(const std::string& name)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: demo_user PROGRAM [ARGUMENTS]\n");
        return 2;
    }
    std::string program = argv[1];
    std::string arguments;
    for (int i = 2; i < argc; ++i)
        arguments += (i > 2 ? " " : "") + std::string(argv[i]);
    std::string name = program.substr(program.find_last_of("\\/") + 1);

    StartedProcess started = StartProgram(program, arguments);
    if (!started.process)
        return 1;
    CloseHandle(started.process);
    for (int second = 0; second < 600; ++second) {
        std::vector<DWORD> running = ProcessesNamed(name);
        if (running.empty())
            return 0;
        for (DWORD id : running)
            if (HWND box = WaitForDialogWithControl(id, 0, 0)) {
                Sleep(300); // the box may still be filling in its text
                std::printf("  answered OK: %s\n", MessageBoxText(box).c_str());
                std::fflush(stdout);
                ClickButton(box, IDOK);
            }
        Sleep(100);
    }
    return 1;
}
