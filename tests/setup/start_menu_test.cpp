// The suite's Start-menu group, read back from the shortcut files.
#include <gtest/gtest.h>

#include <shobjidl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/install/start_menu.h"
#include "suite/catalogue/component_table.h"
#include "suite/vexlo.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

class StartMenu : public testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(nullptr);
        FillComponentTable();
        SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", libraryJournal.c_str());
        WriteString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    "Start Menu", startMenu);
        Install(installDir);
    }

    void TearDown() override
    {
        // The folder window that setup opened on the group holds it open until it is gone.
        VxCloseExplorerWindows();
        SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", nullptr);
        OleUninitialize();
    }

    void Install(const std::string& folder)
    {
        WriteString(HKEY_LOCAL_MACHINE, "Software\\ZERV Software\\Vexlets", "InstallPath", folder);
    }

    std::vector<std::string> Entries()
    {
        std::vector<std::string> names = FilesMatching(group, "*.lnk");
        std::sort(names.begin(), names.end());
        return names;
    }

    Shortcut Entry(const std::string& name) { return ReadShortcut(group + "\\" + name + ".lnk"); }

    RegistrySandbox sandbox{"start-menu"};
    std::string startMenu = FreshFolder("start-menu");
    std::string group = startMenu + "\\Vexlo";
    std::string installDir = "C:\\Program Files\\Vexlo";
    std::string libraryJournal = FreshFolder("start-menu-journal") + "\\library.txt";
    PlatformRecorder platform;
};

} // namespace

TEST_F(StartMenu, AllToolsSelectedGiveTwentySixEntries)
{
    // A folder window titled with the group's full path, as Explorer may show it.
    HWND window = CreateWindowExA(0, "STATIC", group.c_str(), WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    CreateStartMenuEntries();

    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right - placed.left, 630);
    EXPECT_EQ(placed.bottom - placed.top, 440);
    std::vector<WPARAM> commands;
    MSG message;
    while (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        commands.push_back(message.wParam);
    EXPECT_EQ(commands, (std::vector<WPARAM>{28713, 29232}));
    DestroyWindow(window);

    std::vector<std::string> entries = Entries();
    EXPECT_EQ(entries.size(), 26u);
    EXPECT_EQ(entries.front(), "1a Welcome to Vexlo!.lnk");
    EXPECT_EQ(entries.back(), "zz Uninstall Vexlo.lnk");

    Shortcut welcome = Entry("1a Welcome to Vexlo!");
    EXPECT_EQ(welcome.arguments, "-i contents_ID Vexlo.hlp");
    EXPECT_NE(welcome.target.find("winhlp32.exe"), std::string::npos) << welcome.target;
    EXPECT_EQ(welcome.workingFolder, installDir);
    Shortcut folder = Entry("1c Open this menu as folder");
    EXPECT_EQ(folder.target, group);
    EXPECT_EQ(folder.arguments, "");
    Shortcut startAll = Entry("1d Start all tray-based Vexlets");
    EXPECT_EQ(startAll.target, installDir + "\\vxfennet.exe");
    EXPECT_EQ(startAll.arguments, "/startall");
    EXPECT_EQ(Entry("1e Stop all").arguments, "/stopall");
    Shortcut wendra = Entry("Norrik Wendra - Copy folders with everything in them");
    EXPECT_EQ(wendra.target, installDir + "\\Wendra.exe");
    EXPECT_EQ(wendra.workingFolder, installDir);
    EXPECT_EQ(Entry("Pondry - Save the desktop icon layout automatically").target, installDir + "\\vxautopn.exe");
    Shortcut uninstall = Entry("zz Uninstall Vexlo");
    EXPECT_EQ(uninstall.target, installDir + "\\uninstall.exe");
    EXPECT_EQ(uninstall.workingFolder, installDir);

    EXPECT_EQ(platform.pauses, std::vector<DWORD>{200});
    EXPECT_EQ(platform.notificationsOf(SHCNE_MKDIR), 1u);
}

TEST_F(StartMenu, DeselectedToolsHaveNoEntries)
{
    for (Component& component : ComponentTable)
        component.selected = 0;
    CreateStartMenuEntries();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"1a Welcome to Vexlo!.lnk", "1c Open this menu as folder.lnk",
                                                   "zz Uninstall Vexlo.lnk"}));

    // Filled again over the existing group: only Fennet and Norrik are left out now.
    FillComponentTable();
    ComponentTable[0].selected = 0;
    ComponentTable[5].selected = 0;
    CreateStartMenuEntries();
    std::vector<std::string> entries = Entries();
    EXPECT_EQ(entries.size(), 26u - 5u);
    for (const std::string& entry : entries) {
        EXPECT_NE(entry.substr(0, 3), "1d ");
        EXPECT_NE(entry.substr(0, 3), "1e ");
        EXPECT_NE(entry.substr(0, 6), "Norrik");
        EXPECT_NE(entry.substr(0, 6), "Fennet");
    }
    EXPECT_EQ(platform.notificationsOf(SHCNE_MKDIR), 1u);
}

TEST_F(StartMenu, EntriesFollowTheLanguageAndTheRecordedFolderAsWritten)
{
    Install("D:\\Vexlo\\");
    VxSetLanguage("GeneralLanguage", 2);
    CreateStartMenuEntries();
    VxSetLanguage("GeneralLanguage", 0);

    EXPECT_TRUE(FileExists(group + "\\1a Willkommen bei Vexlo!.lnk"));
    EXPECT_TRUE(FileExists(group + "\\zz Vexlo deinstallieren.lnk"));
    // The recorded folder ends in a backslash, and one more is put between
    // (as asked of the library; the shell tidies what it stores).
    std::string clock = group + "\\Glimmet - Eine Uhr auf dem Desktop anzeigen.lnk";
    EXPECT_NE(ReadWholeFile(libraryJournal).find("261|" + clock + "|D:\\Vexlo\\\\vxglimmet.exe||D:\\Vexlo\\\r\n"),
              std::string::npos);
    EXPECT_TRUE(FileExists(clock));
}

TEST_F(StartMenu, NothingWithoutARecordedFolder)
{
    DeleteTree(HKEY_LOCAL_MACHINE, "Software\\ZERV Software");
    CreateStartMenuEntries();
    EXPECT_FALSE(FolderExists(group));
    EXPECT_TRUE(platform.pauses.empty());
}
