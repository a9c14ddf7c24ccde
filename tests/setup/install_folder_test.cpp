#include <gtest/gtest.h>

#include <string>

#include "setup/driver/install_folder.h"
#include "setup/state/install_context.h"
#include "suite/catalogue/suite_identity.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

const char* const SuiteKey = "Software\\ZERV Software\\Vexlets";
const char* const WindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

class DefaultFolder : public testing::Test {
protected:
    void SetUp() override
    {
        InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup);
        ResetInstallContext();
    }

    std::string Choose()
    {
        ChooseDefaultInstallFolder();
        return InstallContext.installDir.c_str();
    }

    RegistrySandbox sandbox{"install-folder"};
};

} // namespace

TEST_F(DefaultFolder, AnEarlierFolderThatBreaksTheRulesCountsAsNoEarlierInstall)
{
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "E:\\Programs");
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string file = FreshFolder("default-folder-file") + "\\vexlo";
    WriteWholeFile(file, "a file, not a folder");
    for (const char* earlier :
         {"relfolder", "D:", "D:\\", "D:\\Vexlo ", static_cast<const char*>(windows), file.c_str()}) {
        WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", earlier);
        ResetInstallContext();
        EXPECT_EQ(Choose(), "E:\\Programs\\Vexlo") << earlier;
    }
}

TEST_F(DefaultFolder, EarlierInstallWinsUnchanged)
{
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "D:\\Apps\\Vexlo Suite");
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "E:\\Programs");
    EXPECT_EQ(Choose(), "D:\\Apps\\Vexlo Suite");
}

TEST_F(DefaultFolder, TrailingBackslashOfEarlierInstallGoesBeforeTheFirstStage)
{
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "D:\\Apps\\Vexlo\\");
    EXPECT_EQ(Choose(), "D:\\Apps\\Vexlo\\");
    RemoveInstallFolderTrailingBackslash();
    EXPECT_STREQ(InstallContext.installDir.c_str(), "D:\\Apps\\Vexlo");
    RemoveInstallFolderTrailingBackslash();
    EXPECT_STREQ(InstallContext.installDir.c_str(), "D:\\Apps\\Vexlo");
}

TEST_F(DefaultFolder, ProgramFolderOfTheSystemGetsVexloAppended)
{
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "C:\\Program Files");
    EXPECT_EQ(Choose(), "C:\\Program Files\\Vexlo");
    ResetInstallContext();
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "E:\\Progs\\");
    EXPECT_EQ(Choose(), "E:\\Progs\\Vexlo");
}

TEST_F(DefaultFolder, FallsBackWhenNothingUsableIsRecorded)
{
    EXPECT_EQ(Choose(), "C:\\Program Files\\Vexlo");

    // An empty earlier install folder would point every stage at the drive's root.
    ResetInstallContext();
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "");
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "");
    EXPECT_EQ(Choose(), "C:\\Program Files\\Vexlo");

    // No room for "\Vexlo" after the program folder: the fixed default, never a cut path.
    ResetInstallContext();
    WriteString(HKEY_LOCAL_MACHINE, WindowsKey, "ProgramFilesDir", "C:\\" + std::string(254, 'p'));
    EXPECT_EQ(Choose(), "C:\\Program Files\\Vexlo");
}

TEST_F(DefaultFolder, FolderFromTheCommandLineIsKept)
{
    WriteString(HKEY_LOCAL_MACHINE, SuiteKey, "InstallPath", "D:\\Earlier");
    EXPECT_TRUE(InstallContext.installDir.assign("c:\\chosen"));
    EXPECT_EQ(Choose(), "c:\\chosen");
}
