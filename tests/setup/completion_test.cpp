// The end of a run: tools started again, tray tools started, the success message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/driver/completion.h"
#include "setup/state/install_context.h"
#include "suite/run/platform_calls.h"
#include "suite/run/running_tools.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"

namespace {

std::vector<std::pair<std::string, UINT>> messages;

int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR, UINT style)
{
    messages.push_back({text, style});
    return IDOK;
}

class Completion : public testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallContext();
        RunningTools = {};
        messages.clear();
        Platform.messageBox = RecordMessage;
        InstallTools(installDir);
        EXPECT_TRUE(InstallContext.installDir.assign(installDir.c_str()));
    }

    void TearDown() override
    {
        Platform.messageBox = MessageBoxA;
        for (const TrayTool& tool : TrayTools)
            EndProcessesNamed(tool.program);
    }

    static void InstallTools(const std::string& folder)
    {
        for (const TrayTool& tool : TrayTools)
            CopyFileA((DistFolder() + "\\" + tool.program).c_str(), (folder + "\\" + tool.program).c_str(), FALSE);
    }

    static std::string CurrentFolder()
    {
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        return folder;
    }

    RegistrySandbox sandbox{"completion"};
    std::string installDir = FreshFolder("completion") + "\\Vexlo Suite";
    bool made = CreateDirectoryA(installDir.c_str(), nullptr);
    ToolJournal journal{FreshFolder("completion-journal")};
};

} // namespace

TEST_F(Completion, CancelRestartsExactlyTheFlaggedToolsFromTheInstallFolder)
{
    RunningTools.norrik = 1;
    RunningTools.glimmet = 1;
    FinishSetup(0, InstallContext.installDir);
    EXPECT_EQ(journal.starts(3, 500), (std::vector<std::string>{
                                           installDir + "\\vxnorrik.exe|/s|" + installDir,
                                           installDir + "\\vxglimmet.exe|/s|" + installDir,
                                       }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Completion, InstallWithNothingRunningStartsAllNineFromInstallPath)
{
    std::string recorded = FreshFolder("completion-recorded");
    InstallTools(recorded);
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", recorded);
    FinishSetup(1, InstallContext.installDir);
    std::vector<std::string> expected;
    for (const TrayTool& tool : TrayTools)
        expected.push_back(recorded + "\\" + tool.program + "|/s|" + CurrentFolder());
    EXPECT_EQ(journal.starts(9), expected);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Completion, InstallWithOneToolRunningRestartsOnlyThatOneAndReports)
{
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", installDir);
    RunningTools.ovalle = 1;
    FinishSetup(1, InstallContext.installDir);
    EXPECT_EQ(journal.starts(2, 500), std::vector<std::string>{installDir + "\\vxovalle.exe|/s|" + installDir});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Vexlo has been installed successfully! \r\n\r\nPlease click on 'Welcome to Vexlo' for "
                                 "a short overview of \r\nhow the Vexlo help you work faster with your computer!");
    EXPECT_EQ(messages[0].second, static_cast<UINT>(MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND));

    EndProcessesNamed("vxovalle.exe");
    InstallContext.silent = 1;
    FinishSetup(1, InstallContext.installDir);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Completion, PathsThatDoNotFitOrAMissingFolderStartNothing)
{
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", "C");
    StartTrayTools();

    // 246 characters: "\vxnorrik.exe" still fits 259, "\vxglimmet.exe" does not.
    std::string deep = FreshFolder("completion-deep");
    while (deep.size() < 246)
        CreateDirectoryA((deep += "\\" + std::string(std::min<size_t>(50, 245 - deep.size()), 'd')).c_str(), nullptr);
    ASSERT_EQ(deep.size(), 246u);
    InstallTools(deep);
    EXPECT_TRUE(InstallContext.installDir.assign(deep.c_str()));
    RunningTools.norrik = 1;
    RunningTools.glimmet = 1;
    FinishSetup(0, InstallContext.installDir);
    EXPECT_EQ(journal.starts(2, 500), std::vector<std::string>{deep + "\\vxnorrik.exe|/s|" + deep});

    EndProcessesNamed("vxnorrik.exe");
    InstallContext.installDir.clear();
    FinishSetup(0, InstallContext.installDir);
    EXPECT_EQ(journal.starts(2, 500).size(), 1u);
}
