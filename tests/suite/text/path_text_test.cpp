// The path helpers both programs share. These cases also run under the
// Japanese code page (setup_tests_ja_JP in tests/CMakeLists.txt), where the
// second byte of a character may be 0x5C, the backslash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "suite/text/path_text.h"

namespace {

class PathText : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* expected = getenv("VEXLO_EXPECTED_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), strtoul(expected, nullptr, 10)) << "not the code page this run is for";
        }
    }

    static std::string Joined(const char* folder, const char* name)
    {
        PathBuffer path;
        return JoinPath(path, folder, name) ? path.c_str() : "(does not fit)";
    }
};

// "表" and "ソ" in code page 932: their second bytes are 0x5C.
const char* const FolderEndingInTrailByte = "C:\\\x95\x5C";
const char* const FileEndingInTrailByte = "C:\\\x95\x5C\\\x83\x5C";

} // namespace

TEST_F(PathText, JoinsWithExactlyOneBackslash)
{
    EXPECT_EQ(Joined("C:", "x.exe"), "C:\\x.exe");
    EXPECT_EQ(Joined("C:\\", "x.exe"), "C:\\x.exe");
    EXPECT_EQ(Joined("C:\\Suite\\", "x.exe"), "C:\\Suite\\x.exe");
    EXPECT_EQ(Joined("\\\\server\\share", "x.exe"), "\\\\server\\share\\x.exe");

    PathBuffer path;
    ASSERT_TRUE(path.assign("C:\\kept"));
    std::string long_(MAX_PATH - 3, 'x'); // one more than fits after the drive
    EXPECT_FALSE(JoinPath(path, "C:\\", long_.c_str()));
    EXPECT_STREQ(path.c_str(), "C:\\kept");
    EXPECT_TRUE(AppendBackslashIfMissing(path));
    EXPECT_TRUE(AppendBackslashIfMissing(path));
    EXPECT_STREQ(path.c_str(), "C:\\kept\\");
}

TEST_F(PathText, CutsAtTheLastBackslash)
{
    PathBuffer path;
    ASSERT_TRUE(path.assign("C:\\Suite\\setup.exe"));
    EXPECT_TRUE(CutAtLastBackslash(path));
    EXPECT_STREQ(path.c_str(), "C:\\Suite");
    EXPECT_TRUE(CutAtLastBackslash(path));
    EXPECT_STREQ(path.c_str(), "C:");
    EXPECT_FALSE(CutAtLastBackslash(path));
    EXPECT_STREQ(path.c_str(), "C:");
    EXPECT_EQ(LastBackslash("setup.exe"), -1);

    ASSERT_TRUE(path.assign("C:\\"));
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path.c_str(), "C:");
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path.c_str(), "C:");
}

TEST_F(PathText, TrailBytesThatLookLikeABackslashAreNone)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Japanese code page: see setup_tests_ja_JP";
    EXPECT_FALSE(EndsWithBackslash(FolderEndingInTrailByte));
    EXPECT_EQ(LastBackslash(FolderEndingInTrailByte), 2);
    EXPECT_EQ(Joined(FolderEndingInTrailByte, "x.exe"), std::string(FolderEndingInTrailByte) + "\\x.exe");

    PathBuffer path;
    ASSERT_TRUE(path.assign(FolderEndingInTrailByte));
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path.c_str(), FolderEndingInTrailByte);
    ASSERT_TRUE(path.assign(FileEndingInTrailByte));
    EXPECT_TRUE(CutAtLastBackslash(path));
    EXPECT_STREQ(path.c_str(), FolderEndingInTrailByte);
}
