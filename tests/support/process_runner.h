// Starting programs from tests and waiting for them with a time limit.
#pragma once

#include <windows.h>

#include <string>

struct StartedProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts `program` with `arguments` (the command line gets the quoted program
// path in front); the working folder defaults to the program's own.
StartedProcess StartProgram(const std::string& program, const std::string& arguments,
                            const std::string& workingFolder = "");

// The exit code, or -1 when the program was still running after `timeoutMs`
// (it is then ended). Closes the handle.
int WaitForExit(StartedProcess& started, DWORD timeoutMs);

// Start and wait in one.
int RunProgram(const std::string& program, const std::string& arguments, DWORD timeoutMs,
               const std::string& workingFolder = "");

// Ends every process of this prefix whose program file name is `exeName`
// (the stand-in tools that a test or setup started).
int EndProcessesNamed(const char* exeName);
