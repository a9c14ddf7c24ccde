#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "setup/driver/command_line.h"
#include "setup/state/install_context.h"

namespace {

struct Case {
    const char* tail;
    const char* folder;
    int silent;
    int createShortcuts;
    int startTools;
    int languageNumber;
};

const Case Cases[] = {
    {"", "", 0, 1, 1, -1},
    {"/SILENT /NOSTART", "", 1, 1, 0, -1},
    {"/noshort", "", 0, 0, 1, -1},
    {"/silent/noshort/nostart", "", 1, 0, 0, -1},
    {"/path:\"D:\\Tools\\Suite Folder\"", "d:\\tools\\suite folder", 0, 1, 1, -1},
    {"/path:\"D:\\Tools\\Suite Folder\" /silent", "d:\\tools\\suite folder", 1, 1, 1, -1},
    {"/path:\"\"", "", 0, 1, 1, -1},
    {"/path:\"\" /silent", "", 1, 1, 1, -1},
    {"/path:c:\\tools", "c:\\tools", 0, 1, 1, -1},
    {"/path: c:\\tools", "c:\\tools", 0, 1, 1, -1},
    {"/path:c:\\tools /nostart", "c:\\tools", 0, 1, 0, -1},
    {"/path:\"c:\\open quote", "c:\\open quote", 0, 1, 1, -1},
    {"/Path:C:\\X\\ /silent", "c:\\x\\", 1, 1, 1, -1},
    {"/language:3", "", 0, 1, 1, 3},
    {"/language:x", "", 0, 1, 1, 0},
    {"/language:12", "", 0, 1, 1, 12},
    {"/language:4 /path:c:\\suite", "c:\\suite", 0, 1, 1, 4},
    {"/path:c:\\suite /language:5", "c:\\suite", 0, 1, 1, 5},
    {"/path:\"c:\\my suite\"/language:6", "c:\\my suite", 0, 1, 1, 6},
    // What stands in a quoted value is a name, never a switch.
    {"/log:\"c:\\logs\\x/silent/noshort.log\" /nostart", "", 0, 1, 0, -1},
    {"/log: \"c:\\x /path:c:\\y\" /path:c:\\z", "c:\\z", 0, 1, 1, -1},
    {"\"/silent\"", "", 1, 1, 1, -1},
    // Quoted as a whole, as tools that quote each argument pass it.
    {"\"/path:C:\\My Tools\\Vexlo\" \"/log:c:\\x /noshort.log\" /silent", "c:\\my tools\\vexlo", 1, 1, 1, -1},
};

} // namespace

TEST(CommandLine, SwitchesFolderAndLanguage)
{
    for (const Case& c : Cases) {
        ResetInstallContext();
        std::string tail = c.tail;
        EXPECT_EQ(ReadCommandLine(tail.c_str()), CommandLineResult::Read) << c.tail;
        EXPECT_STREQ(InstallContext.installDir.c_str(), c.folder) << c.tail;
        EXPECT_EQ(InstallContext.silent, c.silent) << c.tail;
        EXPECT_EQ(InstallContext.createShortcuts, c.createShortcuts) << c.tail;
        EXPECT_EQ(InstallContext.startTools, c.startTools) << c.tail;
        EXPECT_EQ(InstallContext.languageNumber, c.languageNumber) << c.tail;
        EXPECT_EQ(tail, c.tail) << "the caller's text must stay as it was";
    }
}

TEST(CommandLine, OnlyAFullPathBelowADriveOrShareIsTaken)
{
    // Windows drops trailing blanks and dots: such a name is another folder.
    for (const char* refused : {"relfolder", "c:relfolder", "c:\\", "\"\\\\server\\share\"", "c:\\suite\\..\\x",
                                "c:/suite", "\\\\?\\c:\\suite", "\\\\.\\c:\\suite", "\"c:\\tools\\vexlo \"",
                                "c:\\tools\\vexlo.", "\"c:\\tools. \\vexlo\"", "\"c:\\x/silent\""}) {
        ResetInstallContext();
        EXPECT_EQ(ReadCommandLine((std::string("/silent /path:") + refused).c_str()),
                  CommandLineResult::FolderNotUsable)
            << refused;
        EXPECT_TRUE(InstallContext.installDir.empty()) << refused;
    }
    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine("/path:\"c:\\x/silent\""), CommandLineResult::FolderNotUsable);
    EXPECT_EQ(InstallContext.silent, 0);
    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine("/path:\"\\\\server\\share\\vexlo\""), CommandLineResult::Read);
    EXPECT_STREQ(InstallContext.installDir.c_str(), "\\\\server\\share\\vexlo");
}

// Their files are not the suite's to clean up at its uninstall; the folders
// below them that are not Windows' are where programs go.
TEST(CommandLine, FoldersOfWindowsOfTheUserAndOfOtherProgramsAreRefused)
{
    auto shellFolder = [](int csidl) {
        char path[MAX_PATH] = "";
        EXPECT_EQ(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK) << csidl;
        return std::string(path);
    };
    const std::string programs = shellFolder(CSIDL_PROGRAM_FILES);
    const std::string profile = shellFolder(CSIDL_PROFILE);
    const std::string users = profile.substr(0, profile.rfind('\\'));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char shortPrograms[MAX_PATH] = "";
    GetShortPathNameA(programs.c_str(), shortPrograms, MAX_PATH);

    for (const std::string& refused :
         {shellFolder(CSIDL_WINDOWS), shellFolder(CSIDL_WINDOWS) + "\\Help\\Vexlo", programs,
          std::string(shortPrograms), shellFolder(CSIDL_PROGRAM_FILES_COMMON), shellFolder(CSIDL_COMMON_APPDATA),
          users, profile, users + "\\Public", shellFolder(CSIDL_DESKTOPDIRECTORY), shellFolder(CSIDL_PERSONAL),
          shellFolder(CSIDL_APPDATA), shellFolder(CSIDL_LOCAL_APPDATA), std::string(temp)}) {
        ResetInstallContext();
        EXPECT_EQ(ReadCommandLine(("/path:\"" + refused + "\"").c_str()), CommandLineResult::FolderOfOthers) << refused;
        EXPECT_TRUE(InstallContext.installDir.empty()) << refused;
    }
    // Another way to the Windows folder, here through Wine's drive of the whole
    // file system, leads there all the same.
    std::string windows = shellFolder(CSIDL_WINDOWS);
    std::string otherWay = "Z:" + std::string(getenv("WINEPREFIX") ? getenv("WINEPREFIX") : "") + "/drive_c" +
                           windows.substr(2) + "\\vexlo";
    std::replace(otherWay.begin(), otherWay.end(), '/', '\\');
    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine(("/path:\"" + otherWay + "\"").c_str()), CommandLineResult::FolderOfOthers) << otherWay;

    for (const std::string& allowed : {programs + "\\Vexlo", shellFolder(CSIDL_COMMON_APPDATA) + "\\Vexlo",
                                       profile + "\\Tools", shellFolder(CSIDL_APPDATA) + "\\Vexlo",
                                       std::string(temp) + "Vexlo", std::string("c:\\windows-tools")}) {
        ResetInstallContext();
        EXPECT_EQ(ReadCommandLine(("/path:\"" + allowed + "\"").c_str()), CommandLineResult::Read) << allowed;
    }
}

TEST(CommandLine, AFolderThatDoesNotFitIsRefusedNotCut)
{
    std::string longest = "c:\\" + std::string(MAX_PATH - 4, 'a');
    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine(("/silent /path:" + longest).c_str()), CommandLineResult::Read);
    EXPECT_EQ(InstallContext.installDir.length(), static_cast<unsigned>(MAX_PATH - 1));

    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine(("/path:" + longest + "b /silent").c_str()), CommandLineResult::FolderTooLong);
    EXPECT_TRUE(InstallContext.installDir.empty());
    EXPECT_EQ(InstallContext.silent, 1);

    ResetInstallContext();
    EXPECT_EQ(ReadCommandLine(("/path:\"" + longest + " b\"").c_str()), CommandLineResult::FolderTooLong);
    EXPECT_TRUE(InstallContext.installDir.empty());
}
