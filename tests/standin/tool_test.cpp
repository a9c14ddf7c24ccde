#include <gtest/gtest.h>

#include <string>

#include "tests/support/process_runner.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"
#include "tests/support/window_driver.h"

namespace {

class StandInTool : public testing::Test {
protected:
    void TearDown() override
    {
        if (tool.process)
            WaitForExit(tool, 0);
    }

    HWND Start(const char* program, const std::string& arguments, const char* windowClass)
    {
        tool = StartProgram(DistFolder() + "\\" + program, arguments, folder);
        return WaitForWindow(tool.id, windowClass, nullptr, 10000);
    }

    std::string folder = FreshFolder("tool");
    ToolJournal journal{folder};
    StartedProcess tool;
};

} // namespace

TEST_F(StandInTool, OpensItsToolsWindowJournalsTheStartAndClosesOnRequest)
{
    HWND window = Start("vxovalle.exe", "/s", "ZervOvalle");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Vexlo Ovalle");
    EXPECT_EQ(journal.starts(1), std::vector<std::string>{DistFolder() + "\\vxovalle.exe|/s|" + folder});
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(tool, 10000), 0);
}

TEST_F(StandInTool, ToolWithoutClassIsKnownByItsTitle)
{
    HWND window = Start("vxhalder.exe", "", "VexloStandInTool");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Vexlo Halder");
    StartedProcess titled = StartProgram(DistFolder() + "\\vxhalder.exe", "--title=\"Vexlo Halder - notes.txt\"");
    EXPECT_NE(WaitForWindow(titled.id, "VexloStandInTool", "Vexlo Halder - notes.txt", 10000), nullptr);
    WaitForExit(titled, 0);
    HWND autosave = nullptr;
    StartedProcess second = StartProgram(DistFolder() + "\\vxautopn.exe", "/s", folder);
    autosave = WaitForWindow(second.id, "AutoPNWClass", nullptr, 10000);
    EXPECT_NE(autosave, nullptr);
    WaitForExit(second, 0);
}

TEST_F(StandInTool, CanBeToldToIgnoreClosing)
{
    HWND window = Start("vxglimmet.exe", "--ignore-close", "ZervGlimmet");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(tool, 1000), -1);
}

TEST_F(StandInTool, BackupToolEndsWhenItsStopEventIsSet)
{
    ASSERT_NE(Start("vxnorrik.exe", "/s", "ZervNorrik"), nullptr);
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "myZERVNorrikEventStopWaiting");
    ASSERT_NE(event, nullptr);
    SetEvent(event);
    CloseHandle(event);
    EXPECT_EQ(WaitForExit(tool, 10000), 0);
    EXPECT_EQ(OpenEventA(EVENT_MODIFY_STATE, FALSE, "myZERVNorrikEventStopWaiting"), nullptr);

    ASSERT_NE(Start("vxnorrik.exe", "--ignore-event", "ZervNorrik"), nullptr);
    event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "myZERVNorrikEventStopWaiting");
    ASSERT_NE(event, nullptr);
    SetEvent(event);
    CloseHandle(event);
    EXPECT_EQ(WaitForExit(tool, 1000), -1);
}

TEST_F(StandInTool, HoldsAFileAsARunningToolHoldsItsOwn)
{
    std::string held = folder + "\\held file.dll";
    WriteWholeFile(held, "library");
    ASSERT_NE(Start("vxfennet.exe", "--hold=\"" + held + "\"", "ZervFennet"), nullptr);
    EXPECT_FALSE(DeleteFileA(held.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    WaitForExit(tool, 0);
    EXPECT_TRUE(DeleteFileA(held.c_str()));
}
