#include "suite/run_lock.h"

namespace {

// The machine-wide name first, so that a run under a management tool's system
// account and one in the user's session see each other; without the right to
// make a global object, the session's own.
const char* const LockNames[] = {"Global\\ZervVexloSetupOrUninstall", "ZervVexloSetupOrUninstall"};

} // namespace

RunLock::RunLock()
{
    for (const char* name : LockNames) {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
        if (!mutex)
            continue;
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            CloseHandle(mutex);
            return;
        }
        mutex_ = mutex;
        held_ = true;
        return;
    }
    // No lock could be made at all: nothing is in the way of this run.
    held_ = true;
}

RunLock::~RunLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}
