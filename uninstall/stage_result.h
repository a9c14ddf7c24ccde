// How the second stage of a silent uninstall tells the first stage its exit
// code: a named event and a named shared word, both named after the first
// stage's process. The first stage makes them before it starts the copy, so
// no report can come too early; nothing is left on disk.
#pragma once

#include <windows.h>

class StageResult {
public:
    StageResult() = default;
    ~StageResult();
    StageResult(const StageResult&) = delete;
    StageResult& operator=(const StageResult&) = delete;

    // The first stage makes them; the second opens them. False when that failed.
    bool create(DWORD firstStage);
    bool open(DWORD firstStage);

    void report(int exitCode);

    // The reported code; `noReport` when the copy ended without one or the
    // time ran out.
    int wait(HANDLE secondStage, DWORD limit, int noReport);

private:
    bool map(DWORD firstStage, bool create);

    HANDLE event_ = nullptr;
    HANDLE mapping_ = nullptr;
    volatile LONG* code_ = nullptr;
};
