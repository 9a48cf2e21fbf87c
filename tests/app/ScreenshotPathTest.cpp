#include "app/ScreenshotPath.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NextSequenceNoTest, CountsUpToTenThousandThenWrapsToZero) {
  EXPECT_EQ(NextSequenceNo(0), 1);
  EXPECT_EQ(NextSequenceNo(41), 42);
  EXPECT_EQ(NextSequenceNo(9999), 10000);
  EXPECT_EQ(NextSequenceNo(10000), 0);
  EXPECT_EQ(NextSequenceNo(123456), 0);
  EXPECT_EQ(NextSequenceNo(std::numeric_limits<std::int32_t>::max()), 0);
  // A negative stored count keeps counting toward 0, as the plain addition does.
  EXPECT_EQ(NextSequenceNo(-5), -4);
  EXPECT_EQ(NextSequenceNo(-1), 0);
}

struct PathCase {
  std::string folder;
  std::int32_t number;
  char separator;
  std::string expected;
};

class FormatScreenshotPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(FormatScreenshotPathTest, JoinsFolderSeparatorAndNumberedName) {
  const PathCase& c = GetParam();
  std::string path = "stale";
  EXPECT_EQ(FormatScreenshotPath(c.folder, c.number, c.separator, path), 1);
  EXPECT_EQ(path, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FormatScreenshotPathTest,
    testing::Values(PathCase{"/home/u/shots", 42, '/', "/home/u/shots/Spirandel 00042.bmp"},
                    PathCase{"", 42, '/', "/Spirandel 00042.bmp"},
                    PathCase{"C:\\Shots", 42, '\\', "C:\\Shots\\Spirandel 00042.bmp"},
                    PathCase{"", 1, '\\', "\\Spirandel 00001.bmp"},
                    PathCase{"C:\\", 7, '\\', "C:\\\\Spirandel 00007.bmp"},
                    PathCase{"/tmp/", 0, '/', "/tmp//Spirandel 00000.bmp"},
                    PathCase{"d", 10000, '/', "d/Spirandel 10000.bmp"},
                    PathCase{"d", 123456, '/', "d/Spirandel 123456.bmp"},
                    PathCase{"d", -4, '/', "d/Spirandel -0004.bmp"}));

TEST(FormatScreenshotPathLimitTest, LongestPathThatFitsIsKeptOneMoreIsRefused) {
  const std::string name = "/Spirandel 00001.bmp";
  std::string path;
  const std::string fits(kMaxScreenshotPath - name.size(), 'a');
  EXPECT_EQ(FormatScreenshotPath(fits, 1, '/', path), 1);
  EXPECT_EQ(path.size(), kMaxScreenshotPath);
  const std::string tooLong = fits + "a";
  EXPECT_EQ(FormatScreenshotPath(tooLong, 1, '/', path), 0);
  EXPECT_TRUE(path.empty());
  EXPECT_EQ(FormatScreenshotPath(std::string(255, 'x'), 1, '/', path), 0);
}

TEST(FormatScreenshotPathLimitTest, FolderWithNulIsRefused) {
  std::string path;
  EXPECT_EQ(FormatScreenshotPath(std::string("/tmp\0/x", 7), 1, '/', path), 0);
  EXPECT_TRUE(path.empty());
}

}  // namespace
