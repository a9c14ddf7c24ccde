// What earlier releases left behind: files in the install folder, Startup
// shortcuts and Start-menu groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/install/obsolete_files.h"
#include "setup/install/old_shortcuts.h"
#include "suite/system/pending_operations.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/earlier_releases.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
    return path;
}

class ObsoleteFilesCleanup : public testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallContext();
        EXPECT_TRUE(InstallContext.installDir.assign(installDir.c_str()));
    }

    std::string installDir = FreshFolder("obsolete") + "\\Vexlo";
    PlatformRecorder platform;
};

} // namespace

TEST_F(ObsoleteFilesCleanup, FirstInstallTouchesNothing)
{
    RemoveObsoleteFiles(installDir.c_str());
    EXPECT_TRUE(platform.notifications.empty());
    EXPECT_TRUE(platform.pauses.empty());
    EXPECT_FALSE(FolderExists(installDir));
}

TEST_F(ObsoleteFilesCleanup, UpdateRemovesListedFilesImagesAndHelpIndexes)
{
    for (const char* folder : {"", "\\Languages", "\\Help", "\\images", "\\images\\buttons"})
        CreateDirectoryA((installDir + folder).c_str(), nullptr);
    const std::vector<std::string> listed = {"setup.exe", "Norrik.exe", "NorrikCopy.exe", "BrollaShell.dll",
                                             "index.htm", "Vexlo Homepage.url", "Vexlets.txt",
                                             "Languages\\Rattik_Lang.txt", "Vexlets.gid", "Ovalle.dat"};
    for (const std::string& name : listed)
        WriteWholeFile(installDir + "\\" + name, "old");
    for (const char* kept : {"vxnorrik.exe", "Languages\\Norrik_Lang.txt", "Help\\Norrik.hlp", "Help\\X.Gid",
                             "mine.txt"})
        WriteWholeFile(installDir + "\\" + kept, "current");
    for (const char* index : {"Help\\Norrik.gid", "Help\\PONDRY.GID"})
        WriteWholeFile(installDir + "\\" + index, "index");
    WriteWholeFile(installDir + "\\images\\buttons\\ok.bmp", "picture");

    RemoveObsoleteFiles(installDir.c_str());

    for (const std::string& name : listed)
        EXPECT_FALSE(FileExists(installDir + "\\" + name)) << name;
    EXPECT_FALSE(FolderExists(installDir + "\\images"));
    std::vector<std::string> help = FilesMatching(installDir + "\\Help", "*");
    std::sort(help.begin(), help.end());
    EXPECT_EQ(help, (std::vector<std::string>{"Norrik.hlp", "X.Gid"}));
    EXPECT_TRUE(FileExists(installDir + "\\vxnorrik.exe"));
    EXPECT_TRUE(FileExists(installDir + "\\Languages\\Norrik_Lang.txt"));
    EXPECT_TRUE(FileExists(installDir + "\\mine.txt"));
    // One notification per file deleted, none for names that were not there.
    EXPECT_EQ(platform.notificationsOf(SHCNE_DELETE), listed.size() + 2);
}

TEST(OldShortcuts, StartupShortcutsAndGroupsOfEarlierReleasesAndTheSuitesGroupGo)
{
    PlatformRecorder platform;
    const std::string startup = SpecialFolder(CSIDL_STARTUP);
    const std::string programs = SpecialFolder(CSIDL_PROGRAMS);
    const std::string startMenu = SpecialFolder(CSIDL_STARTMENU);
    ASSERT_FALSE(startup.empty());
    WriteWholeFile(startup + "\\Vexlo 98.lnk", "link");
    WriteWholeFile(startup + "\\" + OldStartupShortcuts[14], "link");
    WriteWholeFile(startup + "\\Other Program.lnk", "link");
    for (const std::string& group : {programs + "\\" + OldGroups[0].name, startMenu + "\\" + OldGroups[1].name,
                                     startMenu + "\\" + OldGroups[9].name, startMenu + "\\Vexlo"}) {
        CreateDirectoryA(group.c_str(), nullptr);
        WriteWholeFile(group + "\\entry.lnk", "link");
    }
    CreateDirectoryA((programs + "\\Other Group").c_str(), nullptr);
    // An Explorer window showing the suite's group, titled with its path.
    HWND window = CreateWindowExA(0, "STATIC", (startMenu + "\\Vexlo").c_str(), WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);

    RemoveOldShortcuts();

    EXPECT_FALSE(FileExists(startup + "\\Vexlo 98.lnk"));
    EXPECT_FALSE(FileExists(startup + "\\" + OldStartupShortcuts[14]));
    EXPECT_TRUE(FileExists(startup + "\\Other Program.lnk"));
    EXPECT_FALSE(FolderExists(programs + "\\" + OldGroups[0].name));
    EXPECT_FALSE(FolderExists(startMenu + "\\" + OldGroups[1].name));
    EXPECT_FALSE(FolderExists(startMenu + "\\" + OldGroups[9].name));
    EXPECT_FALSE(FolderExists(startMenu + "\\Vexlo"));
    EXPECT_TRUE(FolderExists(programs + "\\Other Group"));
    EXPECT_EQ(platform.notificationsOf(SHCNE_DELETE), 16u);

    MSG message;
    bool closeArrived = false;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        closeArrived = closeArrived || message.message == WM_CLOSE;
    EXPECT_TRUE(closeArrived);
    DestroyWindow(window);
    RemoveDirectoryA((programs + "\\Other Group").c_str());
    DeleteFileA((startup + "\\Other Program.lnk").c_str());
}

// An uninstall that ended with 3010 left deletions for the next restart, and
// a silent setup replacements, which would otherwise undo the files setup
// installs now; the uninstaller clears the replacements only.
TEST(PendingOperations, OnlyTheInstallFoldersDeletionsAndReplacementsAreCleared)
{
    RegistrySandbox sandbox("pending-deletions");
    const wchar_t* const Key = L"System\\CurrentControlSet\\Control\\Session Manager";
    const wchar_t* const Value = L"PendingFileRenameOperations";
    auto pair = [](const std::wstring& source, const std::wstring& target) { return source + L'\0' + target + L'\0'; };
    // Another program's path in letters no ANSI code page has.
    const std::wstring otherFolder = pair(L"\\??\\C:\\\u0394\u4e2d\\Vexlo Old\\a.dll", L"");
    const std::wstring rename = pair(L"\\??\\C:\\Tools\\Vexlo\\b.tmp", L"!\\??\\C:\\b.dll");
    const std::wstring replacement = pair(L"\\??\\C:\\Tools\\Vexlo\\vx1.tmp", L"!\\??\\C:\\Tools\\VEXLO\\vxglimmet.exe");
    const std::wstring deletion = pair(L"\\??\\C:\\Tools\\VEXLO\\vxambro.dll", L"");
    const std::wstring folder = pair(L"\\??\\C:\\Tools\\Vexlo", L"");
    const std::wstring pending = deletion + otherFolder + replacement + rename + folder + L'\0';
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (PendingKinds kinds : {PendingKinds::DeletionsAndReplacements, PendingKinds::Replacements}) {
        RegSetValueExW(key, Value, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(pending.data()),
                       static_cast<DWORD>(pending.size() * sizeof(wchar_t)));

        ClearPendingOperations("C:\\Tools\\Vexlo", kinds);

        // Another folder's deletion and a rename out of the folder stay, with the list's ending.
        std::wstring left(pending.size(), L'x');
        DWORD size = static_cast<DWORD>(left.size() * sizeof(wchar_t));
        EXPECT_EQ(RegQueryValueExW(key, Value, nullptr, nullptr, reinterpret_cast<BYTE*>(&left[0]), &size),
                  ERROR_SUCCESS);
        left.resize(size / sizeof(wchar_t));
        EXPECT_TRUE(left == (kinds == PendingKinds::Replacements ? deletion + otherFolder + rename + folder
                                                                  : otherFolder + rename) +
                                L'\0');
    }
    RegCloseKey(key);
}
