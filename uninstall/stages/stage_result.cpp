#include "uninstall/stages/stage_result.h"

#include <stdlib.h>

#include "suite/text/command_switches.h"

StageResult::~StageResult()
{
    if (code_)
        UnmapViewOfFile(const_cast<LONG*>(code_));
    for (HANDLE handle : handles_)
        if (handle)
            CloseHandle(handle);
}

bool StageResult::create()
{
    handles_[Done] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    handles_[Code] = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), nullptr);
    // The copy waits for this process to end before deleting its files.
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &handles_[FirstStage],
                         SYNCHRONIZE, FALSE, 0))
        handles_[FirstStage] = nullptr;
    return handles_[Done] && handles_[Code] && handles_[FirstStage] && mapCode();
}

bool StageResult::adopt(const char* commandLine)
{
    const char* text = FindSwitch(commandLine, "/report:");
    if (!text)
        return false;
    HANDLE given[HandleCount];
    for (HANDLE& handle : given) {
        char* end = nullptr;
        unsigned long value = strtoul(text, &end, 10);
        DWORD flags;
        handle = ULongToHandle(value);
        if (end == text || !value || !GetHandleInformation(handle, &flags))
            return false;
        text = *end == ',' ? end + 1 : end;
    }
    // Not passed on to the batch file.
    for (int i = 0; i < HandleCount; ++i) {
        handles_[i] = given[i];
        SetHandleInformation(given[i], HANDLE_FLAG_INHERIT, 0);
    }
    return mapCode();
}

bool StageResult::mapCode()
{
    code_ = static_cast<volatile LONG*>(MapViewOfFile(handles_[Code], FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    return code_ != nullptr;
}

void StageResult::report(int exitCode)
{
    if (!code_)
        return;
    InterlockedExchange(const_cast<LONG*>(code_), exitCode);
    SetEvent(handles_[Done]);
}

int StageResult::wait(HANDLE secondStage, DWORD limit, int noReport)
{
    if (!code_)
        return noReport;
    HANDLE waitFor[] = {handles_[Done], secondStage};
    WaitForMultipleObjects(secondStage ? 2 : 1, waitFor, FALSE, limit);
    // A copy that reported and ended at once may have ended first.
    if (WaitForSingleObject(handles_[Done], 0) != WAIT_OBJECT_0)
        return noReport;
    return InterlockedCompareExchange(const_cast<LONG*>(code_), 0, 0);
}

bool StageResult::waitForFirstStage(DWORD limit)
{
    return handles_[FirstStage] && WaitForSingleObject(handles_[FirstStage], limit) == WAIT_OBJECT_0;
}
