#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <regex>
#include <string>

#include "setup/dialogs/resource_ids.h"
#include "tests/support/expected_registration.h"
#include "tests/support/process_runner.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/snapshot.h"
#include "tests/support/test_files.h"
#include "tests/support/tool_journal.h"
#include "tests/support/window_driver.h"

namespace {

const DWORD RunLimit = 60000;

// What setup may touch, watched before and after each run.
const std::vector<RegistryBranch> WatchedKeys = {
    {HKEY_LOCAL_MACHINE, "Software\\ZERV Software"},
    {HKEY_CURRENT_USER, "Software\\ZERV Software"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps"},
};

class SetupRun : public testing::Test {
protected:
    void SetUp() override
    {
        root = FreshFolder("setup-run");
        for (const std::string& backup : FilesMatching(TempFolder(), "Vexlo Settings before Setup *"))
            DeleteFileA((TempFolder() + "\\" + backup).c_str());
        WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Norrik", "Probe", "42");
    }

    Snapshot Take() { return TakeSnapshot(WatchedKeys, {root, TempFolder()}); }

    std::string SetupProgram() { return DistFolder() + "\\setup.exe"; }

    std::string root;
};

const ExpectedChange BackupWritten = {Change::Added, "*\\Temp\\Vexlo Settings before Setup *-*.*",
                                      "file:*"};

// Where the registration stage writes below the watched keys; what exactly
// it writes is compared against the table of expected values.
const std::vector<ExpectedChange> Registered = {
    {Change::Added, "HKLM\\Software\\ZERV Software*"},
    {Change::Added, "HKCU\\Software\\ZERV Software\\*"},
    {Change::Added, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZervVexlets*"},
    {Change::Added, "HKCU\\AppEvents\\Schemes\\Apps\\ZERV Pondry*"},
};

std::vector<ExpectedChange> operator+(std::vector<ExpectedChange> first, const std::vector<ExpectedChange>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string AutosaveFolder()
{
    char appData[MAX_PATH];
    SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::string(appData) + "\\PNAutoSave";
}

} // namespace

TEST_F(SetupRun, SilentRunSavesSettingsMakesTheFolderAndCompletes)
{
    Snapshot before = Take();
    std::string folder = root + "\\Suite Folder";
    // Tools started at the end would still be starting when the next run looks for them.
    EXPECT_EQ(RunProgram(SetupProgram(), "/silent /nostart /path:\"" + folder + "\"", RunLimit), 1);
    Snapshot after = Take();
    EXPECT_EQ(JoinLines(CompareSnapshots(
                  before, after,
                  std::vector<ExpectedChange>{BackupWritten,
                                              {Change::Added, "C:\\vexlo-tests\\setup-run\\suite folder\\*"}} +
                      Registered)),
              "");
    EXPECT_EQ(CompareRegistration("c:\\vexlo-tests\\setup-run\\suite folder", AutosaveFolder()),
              std::vector<std::string>{});

    std::vector<std::string> backups = FilesMatching(TempFolder(), "Vexlo Settings before Setup *");
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_TRUE(std::regex_match(backups[0], std::regex(R"(Vexlo Settings before Setup \d{8}-\d{6}\.\d{3})")))
        << backups[0];
    std::string content = ReadWholeFile(TempFolder() + "\\" + backups[0]);
    EXPECT_NE(content.find("[HKEY_CURRENT_USER\\Software\\ZERV Software\\Norrik]\r\n\"Probe\"=\"42\""),
              std::string::npos)
        << content;

    // Again over the same folder: one more backup, nothing else changes.
    before = after;
    EXPECT_EQ(RunProgram(SetupProgram(), "/SILENT /NOSTART /NOSHORT /PATH:\"" + folder + "\"", RunLimit), 1);
    EXPECT_EQ(JoinLines(CompareSnapshots(before, Take(), {BackupWritten})), "");
}

TEST_F(SetupRun, FolderTooLongIsReportedAndNothingIsInstalled)
{
    Snapshot before = Take();
    std::string tooLong = root + "\\" + std::string(MAX_PATH, 'x');
    StartedProcess setup = StartProgram(SetupProgram(), "/path:" + tooLong);
    HWND box = WaitForWindow(setup.id, "#32770", "Vexlo", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Vexlo");
    EXPECT_EQ(MessageBoxText(box), "The install folder is too long.");
    ClickButton(box, IDOK);
    EXPECT_EQ(WaitForExit(setup, RunLimit), 0);

    EXPECT_EQ(RunProgram(SetupProgram(), "/silent /path:" + tooLong, RunLimit), 0);
    EXPECT_EQ(JoinLines(CompareSnapshots(before, Take(), {BackupWritten})), "");
    EXPECT_EQ(FilesMatching(TempFolder(), "Vexlo Settings before Setup *").size(), 2u);
}

TEST_F(SetupRun, ARelativeOrRootFolderIsRefusedAndNothingIsInstalled)
{
    // Started in a folder of the prefix: a relative folder must never reach
    // the host's files through the Z: drive.
    std::string current = FreshFolder("setup-run-current");
    Snapshot before = TakeSnapshot(WatchedKeys, {root, TempFolder(), current});
    StartedProcess setup = StartProgram(SetupProgram(), "/path:relfolder", current);
    HWND box = WaitForWindow(setup.id, "#32770", "Vexlo", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "The install folder must be a full path to a folder, not the root of a drive or share.");
    ClickButton(box, IDOK);
    EXPECT_EQ(WaitForExit(setup, RunLimit), 0);

    EXPECT_EQ(RunProgram(SetupProgram(), "/silent /path:relfolder", RunLimit, current), 0);
    EXPECT_EQ(RunProgram(SetupProgram(), "/silent /path:C:\\", RunLimit, current), 0);
    EXPECT_EQ(JoinLines(CompareSnapshots(before, TakeSnapshot(WatchedKeys, {root, TempFolder(), current}),
                                         {BackupWritten})),
              "");
}

TEST_F(SetupRun, ASecondRunEndsAtOnceWhileTheFirstWaitsInItsDialogAndASilentOneWaitsForIt)
{
    StartedProcess first = StartProgram(SetupProgram(), "/path:\"" + root + "\\first\"");
    ASSERT_NE(WaitForDialogWithControl(first.id, IDC_LANGUAGE_BOX, 20000), nullptr);
    Snapshot before = Take();

    StartedProcess silent = StartProgram(SetupProgram(), "/silent /nostart /noshort /path:\"" + root + "\\silent\"");
    StartedProcess second = StartProgram(SetupProgram(), "/path:\"" + root + "\\second\"");
    HWND box = WaitForWindow(second.id, "#32770", "Vexlo", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Vexlo Setup or Uninstall is already running.");
    ClickButton(box, IDOK);
    EXPECT_EQ(WaitForExit(second, RunLimit), 0);
    // Not even a settings backup, from either of them.
    EXPECT_EQ(JoinLines(CompareSnapshots(before, Take(), {})), "");
    EXPECT_EQ(WaitForExit(first, 100), -1); // the first run is ended here, still waiting in its dialog
    // The silent one goes on once the first has ended.
    EXPECT_EQ(WaitForExit(silent, RunLimit), 1);
    EXPECT_TRUE(FileExists(root + "\\silent\\uninstall.exe"));
}

TEST_F(SetupRun, SilentRunIntoAFolderThatCannotBeMadeEndsWithoutInstalling)
{
    Snapshot before = Take();
    EXPECT_EQ(RunProgram(SetupProgram(), "/silent /path:q:\\vexlo", RunLimit), 0);
    EXPECT_EQ(JoinLines(CompareSnapshots(before, Take(), {BackupWritten})), "");
}

TEST_F(SetupRun, InteractiveRunWithoutStartingToolsAsksAtTheEnd)
{
    StartedProcess setup = StartProgram(SetupProgram(), "/nostart /path:\"" + root + "\\asked\"");
    HWND options = WaitForDialogWithControl(setup.id, IDC_LANGUAGE_BOX, 20000);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(ControlText(options, IDC_FOLDER_BOX), "c:\\vexlo-tests\\setup-run\\asked"); // the command line in lower case
    ClickButton(options, IDOK);
    HWND box = WaitForDialogWithControl(setup.id, 0, 60000, options);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Vexlo has been installed successfully! \r\n\r\nStart all tray-based Vexlets silently now?");
    ClickButton(box, IDNO);
    EXPECT_EQ(WaitForExit(setup, RunLimit), 1);
    EXPECT_TRUE(FolderExists(root + "\\asked"));
}

TEST_F(SetupRun, UserChoosesToolsAndFolderInTheDialogs)
{
    StartedProcess setup = StartProgram(SetupProgram(), "");
    HWND options = WaitForDialogWithControl(setup.id, IDC_LANGUAGE_BOX, 20000);
    ASSERT_NE(options, nullptr);
    ClickButton(options, IDC_CUSTOM);
    HWND selection = WaitForDialogWithControl(setup.id, IDC_TOOL_LIST, 10000);
    ASSERT_NE(selection, nullptr);
    // Yessa and Grask are left out.
    SendMessageA(GetDlgItem(selection, IDC_TOOL_LIST), LB_SETSEL, FALSE, 2);
    SendMessageA(GetDlgItem(selection, IDC_TOOL_LIST), LB_SETSEL, FALSE, 13);
    ClickButton(selection, IDOK);
    for (int wait = 0; wait < 250 && IsWindow(selection); ++wait)
        Sleep(20);
    std::string folder = root + "\\Chosen Folder";
    SetControlText(options, IDC_FOLDER_BOX, folder);
    SendMessageA(GetDlgItem(options, IDC_START_TOOLS), BM_SETCHECK, BST_UNCHECKED, 0);
    ClickButton(options, IDOK);
    HWND box = WaitForDialogWithControl(setup.id, 0, 60000, options);
    ASSERT_NE(box, nullptr);
    ClickButton(box, IDNO);
    EXPECT_EQ(WaitForExit(setup, RunLimit), 1);

    EXPECT_TRUE(FileExists(folder + "\\vxnorrik.exe"));
    EXPECT_TRUE(FileExists(folder + "\\Help\\Brolla.hlp"));
    for (const char* leftOut : {"vxyessa.exe", "Help\\Yessa.hlp", "Languages\\Yessamark_Lang.txt", "vxgrask.exe",
                                "Help\\Grask.hlp", "Languages\\Grask_Lang.txt"})
        EXPECT_FALSE(FileExists(folder + "\\" + leftOut)) << leftOut;
    char startMenu[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startMenu, CSIDL_STARTMENU, FALSE));
    EXPECT_EQ(FilesMatching(std::string(startMenu) + "\\Vexlo", "*.lnk").size(), 24u);
}

TEST_F(SetupRun, SilentRunClosesTheRunningToolsAndStartsTheTrayToolsAtTheEnd)
{
    const char* const trayTools[] = {"vxnorrik.exe", "vxovalle.exe", "vxyessa.exe",  "vxfennet.exe", "vxautopn.exe",
                                     "vxglimmet.exe", "vxcaddel.exe", "vxorvex.exe", "vxpellor.exe"};
    // An earlier install, recorded where setup looks for it.
    std::string earlier = root + "\\Earlier Vexlo";
    CreateDirectoryA(earlier.c_str(), nullptr);
    for (const char* program : trayTools)
        CopyFileA((DistFolder() + "\\" + program).c_str(), (earlier + "\\" + program).c_str(), FALSE);
    CopyFileA((DistFolder() + "\\vxhalder.exe").c_str(), (earlier + "\\vxhalder.exe").c_str(), FALSE);
    WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", earlier);
    ToolJournal journal(root);

    std::vector<StartedProcess> running;
    for (const char* program : {"vxnorrik.exe", "vxglimmet.exe", "vxhalder.exe"}) {
        running.push_back(StartProgram(earlier + "\\" + program, "", earlier));
        ASSERT_NE(WaitForWindow(running.back().id, nullptr, nullptr, 10000), nullptr);
    }
    ASSERT_EQ(journal.starts(3).size(), 3u);

    EXPECT_EQ(RunProgram(SetupProgram(), "/silent", RunLimit), 1);
    for (StartedProcess& tool : running)
        EXPECT_EQ(WaitForExit(tool, 10000), 0);
    std::vector<std::string> starts = journal.starts(6, 2000);
    starts.erase(starts.begin(), starts.begin() + 3);
    EXPECT_EQ(starts, (std::vector<std::string>{earlier + "\\vxnorrik.exe|/s|" + earlier,
                                                earlier + "\\vxglimmet.exe|/s|" + earlier}));
    for (const char* program : trayTools)
        EndProcessesNamed(program);

    // With nothing running, all nine start from the recorded folder.
    EXPECT_EQ(RunProgram(SetupProgram(), "/silent", RunLimit), 1);
    std::vector<std::string> expected;
    for (const char* program : trayTools)
        expected.push_back(earlier + "\\" + program + "|/s|" + DistFolder());
    starts = journal.starts(14);
    starts.erase(starts.begin(), starts.begin() + 5);
    EXPECT_EQ(starts, expected);
    for (const char* program : trayTools)
        EndProcessesNamed(program);
    DeleteTree(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets");
}

TEST_F(SetupRun, SilentInstallLeavesTheFilesSortedAndTheStartMenuGroup)
{
    std::string folder = root + "\\Vexlo";
    ASSERT_EQ(RunProgram(SetupProgram(), "/silent /nostart /path:\"" + folder + "\"", RunLimit), 1);
    folder = root + "\\vexlo"; // the command line is taken in lower case

    auto endsWith = [](const std::string& name, const char* tail) {
        size_t n = strlen(tail);
        return name.size() >= n && name.compare(name.size() - n, n, tail) == 0;
    };
    std::map<std::string, std::vector<std::string>> expected;
    for (const std::string& name : FilesMatching(DistFolder(), "*")) {
        // Each user's part goes only into an install for all users.
        if (name == "setup.exe" || name == "vexlo-user.exe")
            continue;
        const char* subfolder = endsWith(name, ".wav")        ? "\\Sounds"
                                : endsWith(name, "_Lang.txt") ? "\\Languages"
                                : endsWith(name, ".hlp")      ? "\\Help"
                                                              : "";
        expected[subfolder].push_back(name);
    }
    for (auto& [subfolder, names] : expected) {
        std::vector<std::string> found = FilesMatching(folder + subfolder, "*");
        std::sort(found.begin(), found.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(found, names) << subfolder;
        for (const std::string& name : names)
            EXPECT_EQ(ReadWholeFile(folder + subfolder + "\\" + name), ReadWholeFile(DistFolder() + "\\" + name));
    }
    EXPECT_EQ(expected["\\Help"].size(), 21u);

    char startMenu[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startMenu, CSIDL_STARTMENU, FALSE));
    std::vector<std::string> entries = FilesMatching(std::string(startMenu) + "\\Vexlo", "*.lnk");
    EXPECT_EQ(entries.size(), 26u);
    EXPECT_TRUE(FileExists(std::string(startMenu) + "\\Vexlo\\zz Uninstall Vexlo.lnk"));
}
