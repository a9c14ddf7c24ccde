// One run at a time on the machine: setup and the uninstaller's first stage
// would close the same tools and write the same files and keys. The copy in
// the temporary folder holds the lock its first stage handed over until it
// has deleted the last file, so that a setup started meanwhile waits for it.
#pragma once

#include <windows.h>

// Shown, translated, to a second run, which then ends without changing anything.
constexpr const char* AnotherRunText = "Vexlo Setup or Uninstall is already running.";

class RunLock {
public:
    // Takes the lock unless another run holds it; waits up to `waitLimit`
    // milliseconds for that run to end (a silent run: Waits::SilentLockWait).
    explicit RunLock(DWORD waitLimit = 0);
    // The lock as the first stage handed it over to its copy, inherited with
    // the process. An invalid handle takes the lock as any run does.
    struct HandedOver {
        HANDLE mutex;
        DWORD waitLimit;
    };
    explicit RunLock(HandedOver handedOver);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // False when another setup or uninstall holds the lock.
    bool held() const { return held_; }

    // The handle a started process inherits to hold the lock after us; null
    // when no lock could be made.
    HANDLE handle() const { return mutex_; }

private:
    enum class Attempt { Taken, HeldElsewhere };
    Attempt take();
    void acquire(DWORD waitLimit);

    HANDLE mutex_ = nullptr;
    bool held_ = false;
};
