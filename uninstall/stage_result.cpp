#include "uninstall/stage_result.h"

StageResult::~StageResult()
{
    if (code_)
        UnmapViewOfFile(const_cast<LONG*>(code_));
    if (mapping_)
        CloseHandle(mapping_);
    if (event_)
        CloseHandle(event_);
}

bool StageResult::create(DWORD firstStage)
{
    return map(firstStage, true);
}

bool StageResult::open(DWORD firstStage)
{
    return map(firstStage, false);
}

bool StageResult::map(DWORD firstStage, bool create)
{
    char eventName[64];
    char mappingName[64];
    wsprintfA(eventName, "ZervVexloUninstallDone%lu", firstStage);
    wsprintfA(mappingName, "ZervVexloUninstallCode%lu", firstStage);
    if (create) {
        // Names that already existed belong to someone else.
        event_ = CreateEventA(nullptr, TRUE, FALSE, eventName);
        if (!event_ || GetLastError() == ERROR_ALREADY_EXISTS)
            return false;
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), mappingName);
        if (!mapping_ || GetLastError() == ERROR_ALREADY_EXISTS)
            return false;
    } else {
        event_ = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
        mapping_ = OpenFileMappingA(FILE_MAP_WRITE, FALSE, mappingName);
    }
    if (!event_ || !mapping_)
        return false;
    code_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    return code_ != nullptr;
}

void StageResult::report(int exitCode)
{
    if (!code_)
        return;
    InterlockedExchange(const_cast<LONG*>(code_), exitCode);
    SetEvent(event_);
}

int StageResult::wait(HANDLE secondStage, DWORD limit, int noReport)
{
    if (!code_)
        return noReport;
    HANDLE handles[] = {event_, secondStage};
    DWORD count = secondStage ? 2 : 1;
    WaitForMultipleObjects(count, handles, FALSE, limit);
    // A copy that reported and ended at once may have ended first.
    if (WaitForSingleObject(event_, 0) != WAIT_OBJECT_0)
        return noReport;
    return InterlockedCompareExchange(const_cast<LONG*>(code_), 0, 0);
}
