#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "setup/driver/settings_backup.h"
#include "suite/catalogue/suite_identity.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/test_files.h"

namespace {

// Points GetTempPathA at a folder of the test's own for the object's lifetime.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::string& folder)
    {
        char old[MAX_PATH] = {};
        hadOld_ = GetEnvironmentVariableA("TMP", old, sizeof(old)) > 0;
        old_ = old;
        SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~TemporaryFolderOverride() { SetEnvironmentVariableA("TMP", hadOld_ ? old_.c_str() : nullptr); }

private:
    bool hadOld_;
    std::string old_;
};

} // namespace

TEST(SettingsBackup, FileNameCarriesTheLocalTimeStamp)
{
    std::string temp = FreshFolder("backup-name");
    TemporaryFolderOverride tmp(temp);
    SYSTEMTIME time = {};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 7;
    time.wHour = 13;
    time.wMinute = 18;
    time.wSecond = 50;
    time.wMilliseconds = 123;
    PathBuffer path;
    ASSERT_TRUE(BuildBackupFilePath(time, path));
    // The temporary folder exactly as the platform gives it, trailing backslash included.
    EXPECT_EQ(std::string(path.c_str()), temp + "\\\\Vexlo Settings before Setup 20261207-131850.123");

    time.wMonth = 1;
    time.wHour = 0;
    time.wMilliseconds = 5;
    ASSERT_TRUE(BuildBackupFilePath(time, path));
    EXPECT_EQ(std::string(path.c_str()), temp + "\\\\Vexlo Settings before Setup 20260107-001850.005");
}

TEST(SettingsBackup, SavesTheUsersBranchIntoANewFile)
{
    InitialiseRuntimeLibrary(GetModuleHandleA(nullptr), SuiteProgram::Setup);
    std::string temp = FreshFolder("backup-file");
    TemporaryFolderOverride tmp(temp);
    RegistrySandbox sandbox("backup");
    WriteString(HKEY_CURRENT_USER, "Software\\ZERV Software\\Norrik", "Target", "D:\\Backups");
    WriteDword(HKEY_CURRENT_USER, "Software\\ZERV Software\\Vexlets", "GeneralLanguage", 2);

    BackupUserSettings();

    std::vector<std::string> files = FilesMatching(temp, "Vexlo Settings before Setup *-*.*");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex(R"(Vexlo Settings before Setup \d{8}-\d{6}\.\d{3})")));
    std::string content = ReadWholeFile(temp + "\\" + files[0]);
    EXPECT_EQ(content.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(content.find("[HKEY_CURRENT_USER\\Software\\ZERV Software\\Norrik]\r\n\"Target\"=\"D:\\\\Backups\"\r\n"),
              std::string::npos)
        << content;
    EXPECT_NE(content.find("\"GeneralLanguage\"=dword:00000002"), std::string::npos) << content;
}

TEST(SettingsBackup, TemporaryFolderTooDeepForTheNameWritesNothing)
{
    std::string deep = FreshFolder("backup-deep");
    while (deep.size() < MAX_PATH - 40) {
        deep += "\\" + std::string(20, 'd');
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    TemporaryFolderOverride tmp(deep);
    PathBuffer path;
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_FALSE(BuildBackupFilePath(now, path));
    BackupUserSettings();
    EXPECT_TRUE(FilesMatching(deep, "*").empty());
}
