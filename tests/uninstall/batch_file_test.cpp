// The self-deleting batch file, written and run for real.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_files.h"
#include "uninstall/stages/batch_file.h"

namespace {

class BatchFile : public testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("TMP", temp.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("TMP", nullptr); }

    bool WaitUntilGone(const std::string& path, DWORD timeoutMs)
    {
        for (DWORD waited = 0; FileExists(path) && waited < timeoutMs; waited += 100)
            Sleep(100);
        return !FileExists(path);
    }

    std::string temp = FreshFolder("batch file") + "\\Temp Folder";
    bool made = CreateDirectoryA(temp.c_str(), nullptr);
};

} // namespace

TEST_F(BatchFile, TextQuotesEveryPathAndEndsEveryLine)
{
    BatchText text;
    ASSERT_TRUE(BuildBatchText("C:\\Temp Folder\\", "C:\\Temp Folder\\delme1.bat", text));
    EXPECT_EQ(std::string(text.c_str()),
              "\r\n"
              "@echo off\r\n"
              "set vexloRound=0\r\n"
              ":myLabel\r\n"
              "if %vexloRound% GTR 60 goto myEnd\r\n"
              "if not %vexloRound%==0 ping -n 2 127.0.0.1 > nul\r\n"
              "set /a vexloRound=vexloRound+1\r\n"
              "del \"C:\\Temp Folder\\uninstall.exe\"\r\n"
              "del \"C:\\Temp Folder\\Vexlo.dll\"\r\n"
              "if exist \"C:\\Temp Folder\\uninstall.exe\" goto myLabel\r\n"
              "if exist \"C:\\Temp Folder\\Vexlo.dll\" goto myLabel\r\n"
              ":myEnd\r\n"
              "del \"C:\\Temp Folder\\delme1.bat\"\r\n");
}

TEST_F(BatchFile, TakesTheNextFreeNumberAndDeletesTheCopiesAndItself)
{
    WriteWholeFile(temp + "\\delme1.bat", "older");
    WriteWholeFile(temp + "\\delme2.bat", "older");
    WriteWholeFile(temp + "\\uninstall.exe", "copy");
    // Held for a while, as by the second stage still ending.
    WriteWholeFile(temp + "\\vexlo.dll", "copy");
    HANDLE held = CreateFileA((temp + "\\vexlo.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    WriteSelfDeletingBatch();
    std::string batch = temp + "\\delme3.bat";
    std::string written = ReadWholeFile(batch);
    EXPECT_EQ(written.substr(0, 12), "\r\n@echo off\r");
    EXPECT_NE(written.find("del \"" + batch + "\"\r\n"), std::string::npos) << written;

    EXPECT_TRUE(WaitUntilGone(temp + "\\uninstall.exe", 10000));
    Sleep(1500);
    EXPECT_TRUE(FileExists(temp + "\\vexlo.dll"));
    EXPECT_TRUE(FileExists(batch));
    CloseHandle(held);
    EXPECT_TRUE(WaitUntilGone(temp + "\\vexlo.dll", 10000));
    EXPECT_TRUE(WaitUntilGone(batch, 10000));
    EXPECT_EQ(ReadWholeFile(temp + "\\delme1.bat"), "older");
    EXPECT_TRUE(FileExists(temp + "\\delme2.bat"));
}
