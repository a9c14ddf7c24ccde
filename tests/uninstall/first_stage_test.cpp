// The stage the user starts: confirmation, and Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "suite/catalogue/suite_identity.h"
#include "suite/catalogue/waits.h"
#include "suite/run/run_lock.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"
#include "tests/support/window_driver.h"
#include "uninstall/stages/copy_handover.h"
#include "uninstall/stages/second_stage.h"
#include "uninstall/stages/uninstall_sequence.h"

TEST(FirstStage, CancelRestartsOnlyTheToolsThatWereRunning)
{
    RegistrySandbox sandbox("first-stage");
    PlatformRecorder platform;
    platform.answers = {IDCANCEL};
    std::string installDir = FreshFolder("first-stage") + "\\Vexlo";
    CreateDirectoryA(installDir.c_str(), nullptr);
    for (const char* program : {"vxnorrik.exe", "vxglimmet.exe", "vxhalder.exe", "Vexlo.dll"})
        CopyFileA((DistFolder() + "\\" + program).c_str(), (installDir + "\\" + program).c_str(), FALSE);
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", installDir);
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                "DisplayName", "Vexlo");
    ToolJournal journal(installDir);
    std::vector<StartedProcess> running;
    for (const char* program : {"vxglimmet.exe", "vxhalder.exe"})
        running.push_back(StartProgram(installDir + "\\" + program, ""));
    ASSERT_EQ(journal.starts(2).size(), 2u);

    // Upper case is not the second stage's switch.
    std::string commandLine = "\"" + installDir + "\\uninstall.exe\" /INTERNALLY";
    EXPECT_EQ(RunUninstall(GetModuleHandleA(nullptr), commandLine.c_str()), 1);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "This will uninstall Vexlo.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    for (StartedProcess& tool : running)
        EXPECT_EQ(WaitForExit(tool, 10000), 0);
    std::vector<std::string> starts = journal.starts(3);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[2], installDir + "\\vxglimmet.exe|/s|" + installDir);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets"));
    EndProcessesNamed("vxglimmet.exe");
}

TEST(FirstStage, OnlyOkIsConsent)
{
    RegistrySandbox sandbox("first-stage-consent");
    PlatformRecorder platform;
    platform.answers = {0}; // the message box could not be shown
    std::string temp = FreshFolder("first-stage-consent");
    SetEnvironmentVariableA("TMP", temp.c_str());
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                "DisplayName", "Vexlo");

    // No consent is the user's Cancel in Windows Installer's codes too.
    EXPECT_EQ(RunUninstall(GetModuleHandleA(nullptr), "uninstall.exe /MSICODES"), 1602);
    SetEnvironmentVariableA("TMP", nullptr);

    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets"));
    EXPECT_FALSE(FileExists(temp + "\\uninstall.exe"));
}

TEST(FirstStage, WaitsForNoOtherRunButEndsUntouched)
{
    RegistrySandbox sandbox("first-stage-other-run");
    PlatformRecorder platform;
    WriteString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets",
                "DisplayName", "Vexlo");
    platform.answers = {IDCANCEL}; // were the question asked, it would be cancelled
    {
        RunLock setupRunning;
        EXPECT_EQ(RunUninstall(GetModuleHandleA(nullptr), "uninstall.exe"), 1);
        // Silent: no message, and the code that says nothing was removed.
        EXPECT_EQ(RunUninstall(GetModuleHandleA(nullptr), "uninstall.exe /Silent"), 3);
    }

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Vexlo Setup or Uninstall is already running.");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets"));
}

namespace {

// Under Wine every object is the user's own: the lock's owner is given here.
const char* lockOwner = "";
DWORD WINAPI LockOwnedBy(HANDLE, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID* owner, PSID*, PACL*, PACL*,
                         PSECURITY_DESCRIPTOR* descriptor)
{
    BOOL defaulted;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(lockOwner, SDDL_REVISION_1, descriptor, nullptr) ||
        !GetSecurityDescriptorOwner(*descriptor, owner, &defaulted))
        return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

} // namespace

// Anyone may make the lock's name first; only a lock of the administrators,
// the system or this user is a run of ours. A silent run waits a minute for one.
TEST(RunLockOwner, ALockOfAnotherAccountIsIgnored)
{
    PlatformRecorder platform;
    RunLock otherRun;
    ASSERT_TRUE(otherRun.held());
    Platform.securityInfo = LockOwnedBy;
    lockOwner = "O:S-1-5-21-1004336348-1177238915-682003330-1001";
    EXPECT_TRUE(RunLock().held());
    for (const char* owner : {"O:BA", "O:SY"}) {
        lockOwner = owner;
        EXPECT_FALSE(RunLock().held()) << owner;
    }
    EXPECT_TRUE(platform.pauses.empty());
    EXPECT_FALSE(RunLock(Waits::SilentLockWait).held());
    EXPECT_EQ(platform.pauses, std::vector<DWORD>(120, 500));
}

TEST(SecondStage, WithoutAnInstallFolderItSaysSoAndStillCleansUp)
{
    RegistrySandbox sandbox("second-stage");
    PlatformRecorder platform;
    std::string temp = FreshFolder("second-stage");
    SetEnvironmentVariableA("TMP", temp.c_str());
    WriteString(HKEY_CLASSES_ROOT, "ZervPondry\\Shell", nullptr, "open");
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Pondry", "PathToAutoPN", "C:\\PNAutoSave");

    // The stage itself: run whole, a second stage ends at once outside the temporary folder.
    InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Uninstall);
    EXPECT_EQ(SecondStage(ReadUninstallRun("uninstall.exe /internally")), UninstallExit::Ended);
    SetEnvironmentVariableA("TMP", nullptr);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot find install path to remove files.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZervPondry"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\ZERV Software"));
    // 36 shortcut deletions, each told to the shell.
    EXPECT_EQ(platform.notificationsOf(SHCNE_DELETE), 36u);
    // The batch file ran and deleted itself.
    for (int wait = 0; wait < 100 && !FilesMatching(temp, "delme*.bat").empty(); ++wait)
        Sleep(100);
    EXPECT_TRUE(FilesMatching(temp, "delme*.bat").empty());
}

TEST(SecondStage, ARelativeInstallFolderCountsAsNone)
{
    RegistrySandbox sandbox("second-stage-relative");
    PlatformRecorder platform;
    std::string temp = FreshFolder("second-stage-relative");
    // Where the relative folder would lead from the temporary folder this stage runs in.
    CreateDirectoryA((temp + "\\Vexlo").c_str(), nullptr);
    WriteWholeFile(temp + "\\Vexlo\\vxnorrik.exe", "not the suite's to delete");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", "Vexlo");
    SetEnvironmentVariableA("TMP", temp.c_str());
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(temp.c_str());

    InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Uninstall);
    EXPECT_EQ(SecondStage(ReadUninstallRun("uninstall.exe /internally")), UninstallExit::Ended);
    SetCurrentDirectoryA(current);
    // Its batch file runs in the folder this test removes next.
    for (int wait = 0; wait < 100 && !FilesMatching(temp, "delme*.bat").empty(); ++wait)
        Sleep(100);
    EXPECT_TRUE(FilesMatching(temp, "delme*.bat").empty());
    SetEnvironmentVariableA("TMP", nullptr);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot find install path to remove files.");
    EXPECT_TRUE(FileExists(temp + "\\Vexlo\\vxnorrik.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets"));
}

TEST(FirstStage, ATemporaryFolderThatCannotBeUsedStopsTheRelaunchWithAMessage)
{
    PlatformRecorder platform;
    char tmp[MAX_PATH] = "", tempVariable[MAX_PATH] = "";
    DWORD hadTmp = GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
    DWORD hadTemp = GetEnvironmentVariableA("TEMP", tempVariable, MAX_PATH);
    SetEnvironmentVariableA("TMP", "q:\\no such drive");
    SetEnvironmentVariableA("TEMP", "q:\\no such drive");
    EXPECT_EQ(RelaunchFromTemp(), 0);
    SetEnvironmentVariableA("TMP", hadTmp ? tmp : nullptr);
    SetEnvironmentVariableA("TEMP", hadTemp ? tempVariable : nullptr);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot copy uninstall.exe to TEMP.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_ICONERROR));
}
