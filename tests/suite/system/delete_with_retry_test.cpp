// The one retrying delete both programs use, held open from the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/system/delete_with_retry.h"
#include "tests/support/platform_recorder.h"
#include "tests/support/test_files.h"

TEST(DeleteWithRetry, TriesSixteenTimesAndNotifiesWhateverHappened)
{
    PlatformRecorder platform;
    const std::string installDir = FreshFolder("delete-with-retry");
    WriteWholeFile(installDir + "\\held.dll", "x");
    HeldFile held(installDir + "\\held.dll");
    DeleteFileWithRetry(installDir.c_str(), "held.dll");
    EXPECT_EQ(platform.pauses, std::vector<DWORD>(15, 200));
    ASSERT_EQ(platform.notifications.size(), 1u);
    EXPECT_EQ(platform.notifications[0].event, SHCNE_DELETE);
    EXPECT_EQ(platform.notifications[0].item, installDir + "\\held.dll");
    EXPECT_TRUE(FileExists(installDir + "\\held.dll"));

    DeleteFileWithRetry((installDir + "\\").c_str(), "missing.exe");
    EXPECT_EQ(platform.notifications.size(), 1u);
    held.release();
    DeleteFileWithRetry((installDir + "\\").c_str(), "held.dll");
    EXPECT_FALSE(FileExists(installDir + "\\held.dll"));
    EXPECT_EQ(platform.notifications.back().item, installDir + "\\held.dll");
}
