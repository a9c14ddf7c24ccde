// Removing the installed files: retries, sounds, held libraries, folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/platform_recorder.h"
#include "tests/support/test_files.h"
#include "uninstall/removal/file_removal.h"

namespace {

class FileRemoval : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(installDir.c_str(), nullptr);
        SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", libraryJournal.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("VEXLO_LIBRARY_JOURNAL", nullptr); }

    void Install(const std::string& name) { WriteWholeFile(installDir + "\\" + name, "file"); }

    std::string LibraryCalls() { return ReadWholeFile(libraryJournal); }

    std::string root = FreshFolder("file-removal");
    std::string installDir = root + "\\Vexlo";
    std::string libraryJournal = root + "\\library.txt";
    PlatformRecorder platform;
};

} // namespace

TEST_F(FileRemoval, MissingNamesAndAMissingSubfolderCostNoWait)
{
    RemoveInstalledFiles(installDir.c_str());
    // "Languages\Pondry_Lang.txt" meets a missing folder, the rest missing files.
    EXPECT_TRUE(platform.pauses.empty());
    EXPECT_FALSE(FolderExists(installDir));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(LibraryCalls(), "");
    ASSERT_GE(platform.notifications.size(), 2u);
    EXPECT_EQ(platform.notifications[0].event, SHCNE_RMDIR);
    EXPECT_EQ(platform.notifications[0].item, installDir);
}

TEST_F(FileRemoval, SuiteFilesGoWhileTheUsersOwnStayWithTheFolder)
{
    for (const char* name : {"vxnorrik.exe", "Wendra.exe", "NorrikCopy.exe", "Norrik.exe", "Vexlets.txt", "VexletsEXE",
                             "Vexlo.hlp", "Vexlo.gid", "Ovalle.pn", "uninstall.exe", "Vexlo.dll", "song.WAV",
                             "tune.mid", "x.wavy", "song.Mid", "mine.txt"})
        Install(name);
    for (const char* folder : {"Sounds", "Languages", "Help"}) {
        CreateDirectoryA((installDir + "\\" + folder).c_str(), nullptr);
        Install(std::string(folder) + "\\inside.txt");
    }
    Install("vxorvex.exe");
    SetFileAttributesA((installDir + "\\vxorvex.exe").c_str(), FILE_ATTRIBUTE_READONLY);

    RemoveInstalledFiles(installDir.c_str());

    std::vector<std::string> left = FilesMatching(installDir, "*");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"mine.txt", "song.Mid", "vxorvex.exe"}));
    for (const char* folder : {"Sounds", "Languages", "Help"})
        EXPECT_FALSE(FolderExists(installDir + "\\" + folder)) << folder;
    // The read-only program had its 16 attempts; Languages was there.
    EXPECT_EQ(platform.pauses, std::vector<DWORD>(15, 200));
}

TEST_F(FileRemoval, HeldLibrariesAskAndOnlyOkClosesExplorer)
{
    Install("vxambro.dll");
    Install("vxpondry.dll");
    HANDLE ambro = CreateFileA((installDir + "\\vxambro.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    HANDLE pondry = CreateFileA((installDir + "\\vxpondry.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    platform.answers = {IDOK, IDCANCEL};
    platform.onPause = [&](size_t pauses) {
        if (pauses == 2) {
            CloseHandle(ambro);
            ambro = nullptr;
        }
    };

    RemoveInstalledFiles(installDir.c_str());
    CloseHandle(pondry);

    EXPECT_FALSE(FileExists(installDir + "\\vxambro.dll"));
    EXPECT_TRUE(FileExists(installDir + "\\vxpondry.dll"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "To finish, Uninstall needs to close all Explorer windows.");
    EXPECT_EQ(platform.messages[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(LibraryCalls(), "342\r\n343\r\n");
    // Cancel still retries: 16 waits for the library that stayed.
    EXPECT_EQ(platform.pauses.size(), 2u + 16);
    EXPECT_TRUE(FolderExists(installDir));
}

TEST_F(FileRemoval, MakersFolderGoesWithItsLastProduct)
{
    std::string maker = root + "\\ZERV Software";
    CreateDirectoryA(maker.c_str(), nullptr);
    CreateDirectoryA((maker + "\\Vexlo").c_str(), nullptr);
    CreateDirectoryA((maker + "\\Other").c_str(), nullptr);
    RemoveInstalledFiles((maker + "\\Vexlo").c_str());
    EXPECT_FALSE(FolderExists(maker + "\\Vexlo"));
    EXPECT_TRUE(FolderExists(maker));

    RemoveDirectoryA((maker + "\\Other").c_str());
    CreateDirectoryA((maker + "\\Vexlo").c_str(), nullptr);
    RemoveInstalledFiles((maker + "\\Vexlo").c_str());
    EXPECT_FALSE(FolderExists(maker));

    // Installed with "/path:", which setup takes in lower case.
    std::string lowerMaker = root + "\\zerv software";
    CreateDirectoryA(lowerMaker.c_str(), nullptr);
    CreateDirectoryA((lowerMaker + "\\vexlo").c_str(), nullptr);
    RemoveInstalledFiles((lowerMaker + "\\vexlo").c_str());
    EXPECT_FALSE(FolderExists(lowerMaker));
}

TEST_F(FileRemoval, AtADriveRootOnlyEmptySubfoldersGo)
{
    for (const char* folder : {"Sounds", "Languages", "Help"})
        CreateDirectoryA((root + "\\" + folder).c_str(), nullptr);
    WriteWholeFile(root + "\\Help\\My Notes.txt", "the user's");
    WriteWholeFile(root + "\\vxnorrik.exe", "suite");
    // At a root the sounds are the user's, but for the suite's own.
    WriteWholeFile(root + "\\party.wav", "the user's");
    WriteWholeFile(root + "\\gnoop.wav", "suite");
    MappedDrive drive('s', root);
    ASSERT_TRUE(FileExists("S:\\vxnorrik.exe"));

    RemoveInstalledFiles("S:");

    EXPECT_FALSE(FileExists(root + "\\vxnorrik.exe"));
    EXPECT_FALSE(FileExists(root + "\\gnoop.wav"));
    EXPECT_EQ(ReadWholeFile(root + "\\party.wav"), "the user's");
    EXPECT_EQ(ReadWholeFile(root + "\\Help\\My Notes.txt"), "the user's");
    EXPECT_FALSE(FolderExists(root + "\\Sounds"));
    EXPECT_FALSE(FolderExists(root + "\\Languages"));
}
