// One run at a time on the machine: setup and the uninstaller's first stage
// would close the same tools and write the same files and keys.
#pragma once

#include <windows.h>

// Shown, translated, to a second run, which then ends without changing anything.
constexpr const char* AnotherRunText = "Vexlo Setup or Uninstall is already running.";

class RunLock {
public:
    // Takes the lock unless another run holds it.
    RunLock();
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // False when another setup or uninstall holds the lock.
    bool held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};
