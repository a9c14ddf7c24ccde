// Closing running tools, with stand-in tools as the suite's running programs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/run/platform_calls.h"
#include "suite/run/running_tools.h"
#include "tests/support/process_runner.h"
#include "tests/support/test_files.h"
#include "tests/support/window_driver.h"

namespace {

std::vector<DWORD> pauses;
DWORD realPause = 0;

void WINAPI CountPause(DWORD milliseconds)
{
    pauses.push_back(milliseconds);
    if (realPause)
        Sleep(realPause);
}

class ClosingTools : public testing::Test {
protected:
    void SetUp() override
    {
        RunningTools = {};
        pauses.clear();
        realPause = 0;
        Platform.sleep = CountPause;
    }

    void TearDown() override
    {
        Platform.sleep = Sleep;
        for (StartedProcess& tool : tools)
            WaitForExit(tool, 0);
    }

    // Starts a stand-in tool and waits until its window is there.
    size_t Start(const char* program, const std::string& arguments, const char* windowClass, const char* title)
    {
        tools.push_back(StartProgram(DistFolder() + "\\" + program, arguments));
        EXPECT_NE(WaitForWindow(tools.back().id, windowClass, title, 10000), nullptr) << program << " " << arguments;
        return tools.size() - 1;
    }

    bool Ends(size_t tool) { return WaitForSingleObject(tools[tool].process, 10000) == WAIT_OBJECT_0; }
    bool StillRuns(size_t tool) { return WaitForSingleObject(tools[tool].process, 0) == WAIT_TIMEOUT; }

    std::vector<StartedProcess> tools;
};

std::vector<int> Flags()
{
    std::vector<int> flags;
    for (const TrayTool& tool : TrayTools)
        flags.push_back(RunningTools.*tool.flag);
    return flags;
}

} // namespace

TEST_F(ClosingTools, NothingRunningReturnsAtOnceWithNoFlags)
{
    EXPECT_EQ(CloseRunningTools(SuiteProgram::Setup), 1);
    EXPECT_EQ(Flags(), std::vector<int>(9, 0));
    EXPECT_TRUE(pauses.empty());
    EXPECT_FALSE(AnyTrayToolWasRunning());
}

TEST_F(ClosingTools, ClassesAndTitlesDecideWhatClosesAndWhatIsRecorded)
{
    size_t firstDesk = Start("vxovalle.exe", "--title=\"desk one\"", "ZervOvalle", "desk one");
    size_t secondDesk = Start("vxovalle.exe", "--title=\"desk two\"", "ZervOvalle", "desk two");
    size_t bookmarks = Start("vxyessa.exe", "", "ZervYessa", nullptr);
    size_t clock = Start("vxglimmet.exe", "--ignore-close", "ZervGlimmet", nullptr);
    size_t editor = Start("vxscrivo.exe", "", "ZervScrivo", nullptr);
    size_t document = Start("vxhalder.exe", "--title=\"Vexlo Halder - notes.txt\"", nullptr, "Vexlo Halder - notes.txt");
    size_t path = Start("vxhalder.exe", "--title=\"C:\\Notes\\Vexlo Halder\"", nullptr, "C:\\Notes\\Vexlo Halder");
    size_t lower = Start("vxhalder.exe", "--title=\"vexlo halder\"", nullptr, "vexlo halder");
    size_t older = Start("vxtovin.exe", "--title=\"ZERV Tovin 2.0\"", nullptr, "ZERV Tovin 2.0");
    size_t quesh = Start("vxquesh.exe", "", nullptr, "Vexlo Quesh");

    EXPECT_EQ(CloseRunningTools(SuiteProgram::Setup), 1);

    EXPECT_EQ(Flags(), (std::vector<int>{0, 1, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(AnyTrayToolWasRunning());
    for (size_t closed : {bookmarks, editor, document, older, quesh})
        EXPECT_TRUE(Ends(closed)) << closed;
    // FindWindowA yields one window per class, and neither title is the tool's.
    HANDLE desks[] = {tools[firstDesk].process, tools[secondDesk].process};
    DWORD ended = WaitForMultipleObjects(2, desks, FALSE, 10000);
    ASSERT_LT(ended, WAIT_OBJECT_0 + 2);
    EXPECT_TRUE(StillRuns(ended == WAIT_OBJECT_0 ? secondDesk : firstDesk));
    for (size_t open : {clock, path, lower})
        EXPECT_TRUE(StillRuns(open)) << open;
    EXPECT_TRUE(pauses.empty());
}

TEST_F(ClosingTools, UninstallerLooksOnlyForTheProductsTitles)
{
    size_t older = Start("vxtovin.exe", "--title=\"ZERV Tovin 2.0\"", nullptr, "ZERV Tovin 2.0");
    size_t current = Start("vxtovin.exe", "", nullptr, "Vexlo Tovin");
    size_t help = Start("vxkimber.exe", "--title=\"Vexlo Help - Norrik\"", nullptr, "Vexlo Help - Norrik");
    size_t autosave = Start("vxautopn.exe", "", "AutoPNWClass", nullptr);

    CloseRunningTools(SuiteProgram::Uninstall);

    EXPECT_TRUE(Ends(current));
    EXPECT_TRUE(Ends(help));
    EXPECT_TRUE(Ends(autosave));
    EXPECT_TRUE(StillRuns(older));
    EXPECT_EQ(Flags(), (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0, 0}));
}

TEST_F(ClosingTools, BackupToolsEventIsSetUntilItGoesOrTheProgramGivesUp)
{
    Start("vxnorrik.exe", "--ignore-close --ignore-event", "ZervNorrik", nullptr);
    CloseRunningTools(SuiteProgram::Setup);
    EXPECT_EQ(pauses, std::vector<DWORD>(100, 200));
    EXPECT_EQ(RunningTools.norrik, 1);

    RunningTools = {};
    pauses.clear();
    CloseRunningTools(SuiteProgram::Uninstall);
    EXPECT_EQ(pauses, std::vector<DWORD>(50, 100));
    EXPECT_EQ(RunningTools.norrik, 1);
    WaitForExit(tools.back(), 0);

    // A backup tool that lets go when its event is set ends the waiting early.
    size_t released = Start("vxnorrik.exe", "--ignore-close", "ZervNorrik", nullptr);
    RunningTools = {};
    pauses.clear();
    realPause = 50;
    CloseRunningTools(SuiteProgram::Setup);
    EXPECT_TRUE(Ends(released));
    EXPECT_EQ(RunningTools.norrik, 1);
    EXPECT_GE(pauses.size(), 1u);
    EXPECT_LT(pauses.size(), 20u);
}
