// Every wait of both programs, named once with why it is as long as it is.
// Pauses go through Platform.sleep, so that tests count them instead of waiting.
#pragma once

#include <windows.h>

// A bounded retry: how many attempts in all, and the pause between two.
struct Retries {
    int attempts;
    DWORD pause; // ms
};

namespace Waits {
// A file another program holds for a moment (a tool just closed, a virus scan): about 3 s.
constexpr Retries Delete = {16, 200};
// A library Explorer's menus or a running tool held, once the user has answered
// the Explorer question: one attempt more, so that every attempt after the
// answer but the first follows a pause.
constexpr Retries HeldLibrary = {17, 200};

// A file to copy that something holds: 1 s first, for a tool that is still
// closing; then 26 attempts before the user is asked, and 26 more after each OK.
constexpr DWORD CopyFirstPause = 1000;
constexpr Retries CopyBeforeAsking = {26, 200};
constexpr Retries CopyAfterOk = {26, 200};
// A silent run that may not have it replaced at the restart: 30 s more, then it gives the file up.
constexpr Retries SilentCopy = {150, 200};

// The backup tool lets go of its files only once its stop event is set while
// it waits in its notifier: setup, which must replace them, sets it for up to
// 20 s (also before each retry of the notifier's own file), the uninstaller
// for up to 5 s.
constexpr Retries SetupReleasesBackupTool = {100, 200};
constexpr Retries UninstallReleasesBackupTool = {50, 100};

// Polls of the run lock while a silent run waits for another to end; a
// deployment tool's "remove, then install" starts setup while the
// uninstaller's copy still deletes its last files.
constexpr DWORD LockPause = 500;
constexpr DWORD SilentLockWait = 60 * 1000;

// The silent first stage waits this long for its copy's report: the copy
// closes tools, retries held files and waits for nobody.
constexpr DWORD SilentReportLimit = 5 * 60 * 1000;
// The silent copy waits this long for its first stage to end before it
// deletes the program and library that stage ran from.
constexpr DWORD FirstStageEndLimit = 60 * 1000;

// Before the Start-menu group is made, as the suite's setup has always paused:
// nothing is known to need it, and it costs a fifth of a second.
constexpr DWORD BeforeStartMenuGroup = 200;
} // namespace Waits
