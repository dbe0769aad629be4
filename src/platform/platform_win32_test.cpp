// The Win32 platform layer against real files under Wine.
#include "platform/platform.h"

#include <gtest/gtest.h>

TEST(PlatformWin32, WritesReadsAndRemovesAFile) {
    const std::string path = "T:\\platform_test.txt";
    std::string error, contents;
    ASSERT_TRUE(platform::WriteWholeFile(path, "a\r\nb\r\n", &error)) << error;
    ASSERT_TRUE(platform::ReadWholeFile(path, &contents, &error)) << error;
    EXPECT_EQ(contents, "a\r\nb\r\n");
    EXPECT_TRUE(platform::RemoveFile(path, &error)) << error;
    EXPECT_FALSE(platform::CanOpenForReading(path));
}
