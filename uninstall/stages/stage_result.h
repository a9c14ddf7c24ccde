// How the second stage of a silent uninstall tells the first stage its exit
// code: an event and a shared word that the first stage makes without names
// and hands to the copy it starts, with a handle to its own process. No other
// program can find them, make them first or report in the copy's place, and
// nothing is left on disk.
#pragma once

#include <windows.h>

#include "suite/text/fixed_string.h"

class StageResult {
public:
    StageResult() = default;
    ~StageResult();
    StageResult(const StageResult&) = delete;
    StageResult& operator=(const StageResult&) = delete;

    // The first stage makes them. False when that failed.
    bool create();
    // The three handles the copy must inherit, and "/report:" with their
    // values for its command line; false when the switch does not fit.
    static constexpr int HandleCount = 3;
    const HANDLE* handles() const { return handles_; }
    template <unsigned N>
    bool appendSwitch(FixedString<N>& parameters) const;

    // The copy takes them from its command line. False when they are not there.
    bool adopt(const char* commandLine);

    void report(int exitCode);

    // The reported code; `noReport` when the copy ended without one or the
    // time ran out.
    int wait(HANDLE secondStage, DWORD limit, int noReport);

    // The copy: waits up to `limit` for the first stage's process to end.
    bool waitForFirstStage(DWORD limit);

private:
    bool mapCode();

    enum { Done, Code, FirstStage };
    HANDLE handles_[HandleCount] = {};
    volatile LONG* code_ = nullptr;
};

template <unsigned N>
bool StageResult::appendSwitch(FixedString<N>& parameters) const
{
    char text[64];
    wsprintfA(text, " /report:%lu,%lu,%lu", HandleToULong(handles_[Done]), HandleToULong(handles_[Code]),
              HandleToULong(handles_[FirstStage]));
    return parameters.append(text);
}
