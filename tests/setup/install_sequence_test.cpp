#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "setup/driver/install_sequence.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_lock.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"
#include "tests/support/window_driver.h"

namespace {

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT style;
};

std::vector<ShownMessage> shown;
int answer = IDOK;

void WINAPI SkipPause(DWORD)
{
}

int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR caption, UINT style)
{
    shown.push_back({text, caption, style});
    return answer;
}

class InstallSequence : public testing::Test {
protected:
    void SetUp() override
    {
        shown.clear();
        answer = IDOK;
        Platform.messageBox = RecordMessage;
        Platform.sleep = SkipPause;
        temp = FreshFolder("sequence-temp");
        SetEnvironmentVariableA("TMP", temp.c_str());
        target = FreshFolder("sequence") + "\\suite";
        // The options dialog's template lives in setup.exe, not in this test program.
        resources = LoadLibraryExA((DistFolder() + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources, nullptr);
    }

    void TearDown() override
    {
        Platform.messageBox = MessageBoxA;
        Platform.sleep = Sleep;
        SetEnvironmentVariableA("TMP", nullptr);
        FreeLibrary(resources);
    }

    int Run(const std::string& tail)
    {
        std::string writable = tail;
        return RunSetup(resources, &writable[0], (DistFolder() + "\\").c_str());
    }

    size_t BackupFiles() { return FilesMatching(temp, "Vexlo Settings before Setup *").size(); }

    RegistrySandbox sandbox{"sequence"};
    std::string temp;
    std::string target;
    HMODULE resources = nullptr;
};

} // namespace

TEST_F(InstallSequence, SilentRunMakesTheFolderAndCompletes)
{
    EXPECT_EQ(Run("/SILENT /NOSTART /path:\"" + target + "\""), 1);
    EXPECT_TRUE(FolderExists(target));
    EXPECT_EQ(BackupFiles(), 1u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(InstallSequence, FolderTooLongEndsWithoutInstalling)
{
    std::string tooLong = target + "\\" + std::string(MAX_PATH, 'x');
    EXPECT_EQ(Run("/path:" + tooLong), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "The install folder is too long.");
    EXPECT_EQ(shown[0].caption, "Vexlo");

    shown.clear();
    Sleep(2); // backups are named by the millisecond
    EXPECT_EQ(Run("/silent /path:" + tooLong), 0);
    Sleep(2);
    EXPECT_EQ(Run("/silent /msicodes /path:" + tooLong), 1639);
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(FolderExists(target));
    // The settings were saved before the command line was read, every time.
    EXPECT_EQ(BackupFiles(), 3u);
}

TEST_F(InstallSequence, ASecondRunEndsBeforeItChangesAnything)
{
    {
        RunLock otherRun;
        ASSERT_TRUE(otherRun.held());
        // The interactive message is seen end to end: here a run that went on would wait in its dialog.
        EXPECT_EQ(Run("/silent /path:\"" + target + "\""), 3);
        EXPECT_EQ(Run("/silent /msicodes /path:\"" + target + "\""), 1618);
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(BackupFiles(), 0u);
        EXPECT_FALSE(FolderExists(target));
    }
    // Once the other run has ended, setup runs again.
    EXPECT_EQ(Run("/SILENT /NOSTART /path:\"" + target + "\""), 1);
}

TEST_F(InstallSequence, SilentRunEndsWhenTheFolderCannotBeMade)
{
    EXPECT_EQ(Run("/silent /path:q:\\nowhere\\vexlo"), 0);
    EXPECT_EQ(Run("/silent /msicodes /path:q:\\nowhere\\vexlo"), 1603);
    EXPECT_TRUE(shown.empty());
}

TEST_F(InstallSequence, WithoutStartingToolsTheUserIsAskedAtTheEnd)
{
    answer = IDNO;
    std::thread user([] {
        if (HWND options = WaitForDialogWithControl(GetCurrentProcessId(), 1157, 10000))
            SendCommand(options, IDOK);
    });
    EXPECT_EQ(Run("/nostart /path:\"" + target + "\""), 1);
    user.join();
    EXPECT_TRUE(FolderExists(target));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Vexlo has been installed successfully! \r\n\r\nStart all tray-based Vexlets silently now?");
    EXPECT_EQ(shown[0].caption, "Vexlo");
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND));
}

static BOOL WINAPI RefuseToSchedule(LPCSTR, LPCSTR, DWORD)
{
    return FALSE;
}

TEST_F(InstallSequence, SilentRunThatGivesUpAFileEndsWithTwo)
{
    CreateDirectoryA(target.c_str(), nullptr);
    WriteWholeFile(target + "\\vxscrivo.exe", "running");
    HANDLE held = CreateFileA((target + "\\vxscrivo.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    // Where the replacement at the next restart may not be asked for.
    Platform.moveFileEx = RefuseToSchedule;
    EXPECT_EQ(Run("/silent /nostart /noshort /path:\"" + target + "\""), 2);
    Platform.moveFileEx = MoveFileExA;
    CloseHandle(held);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(FileExists(target + "\\vxglimmet.exe"));
    // Deployment tools that look for the version try again.
    const char* const entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets";
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, entry, "DisplayName").found);
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, entry, "DisplayVersion").found);
}

TEST_F(InstallSequence, AnOptionsDialogThatCannotBeShownInstallsNothing)
{
    // This test program holds no dialog template: the dialog fails to open.
    std::string tail = "/path:\"" + target + "\"";
    EXPECT_EQ(RunSetup(GetModuleHandleA(nullptr), &tail[0], (DistFolder() + "\\").c_str()), 0);
    EXPECT_FALSE(FolderExists(target));
}

TEST_F(InstallSequence, CancelInTheOptionsDialogEndsWithZeroAndRestartsTheClosedTools)
{
    CreateDirectoryA(target.c_str(), nullptr);
    CopyFileA((DistFolder() + "\\vxglimmet.exe").c_str(), (target + "\\vxglimmet.exe").c_str(), FALSE);
    ToolJournal journal(temp);
    StartedProcess clock = StartProgram(target + "\\vxglimmet.exe", "");
    ASSERT_EQ(journal.starts(1).size(), 1u);

    std::thread user([] {
        if (HWND options = WaitForDialogWithControl(GetCurrentProcessId(), 1157, 10000))
            SendCommand(options, IDCANCEL);
    });
    EXPECT_EQ(Run("/path:\"" + target + "\""), 0);
    user.join();

    EXPECT_EQ(WaitForExit(clock, 10000), 0);
    std::string folder = target;
    CharLowerA(&folder[0]);
    std::vector<std::string> starts = journal.starts(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], folder + "\\vxglimmet.exe|/s|" + folder);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "This will stop Setup.");
    EndProcessesNamed("vxglimmet.exe");
}
