#include <gtest/gtest.h>

#include "suite/text/fixed_string.h"

TEST(FixedString, RefusesWhatDoesNotFitAndKeepsTheText)
{
    FixedString<5> text;
    EXPECT_TRUE(text.assign("abc"));
    EXPECT_FALSE(text.assign("abcdef"));
    EXPECT_STREQ(text.c_str(), "abc");
    EXPECT_TRUE(text.append("de"));
    EXPECT_FALSE(text.append("f"));
    EXPECT_FALSE(text.append('f'));
    EXPECT_STREQ(text.c_str(), "abcde");
    EXPECT_EQ(text.length(), 5u);
    EXPECT_FALSE(text.append('\\'));
    EXPECT_STREQ(text.c_str(), "abcde");
}

TEST(FixedString, PathBufferHoldsWhatThePlatformBufferHolds)
{
    PathBuffer path;
    EXPECT_EQ(PathBuffer::bufferSize(), static_cast<unsigned>(MAX_PATH));
    EXPECT_TRUE(path.assign(std::string(MAX_PATH - 1, 'x').c_str()));
    EXPECT_FALSE(path.assign(std::string(MAX_PATH, 'y').c_str()));
    EXPECT_EQ(path.length(), static_cast<unsigned>(MAX_PATH - 1));
    EXPECT_EQ(path[0], 'x');
}

TEST(FixedString, SettleTakesWhatAPlatformCallWrote)
{
    FixedString<7> text;
    lstrcpynA(text.buffer(), "written", text.bufferSize());
    text.settle();
    EXPECT_EQ(text.length(), 7u);
    EXPECT_STREQ(text.c_str(), "written");
}
