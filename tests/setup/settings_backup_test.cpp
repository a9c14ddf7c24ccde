#include <gtest/gtest.h>

#include <string>

#include "settings_backup.h"
#include "test_files.h"

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
