#include "app/ScreenshotPath.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NextSequenceNoTest, CountsUpToTenThousandThenWrapsToZero) {
  // A negative stored count keeps counting toward 0, as the plain addition does.
  EXPECT_EQ(
      std::tuple(NextSequenceNo(0), NextSequenceNo(9999), NextSequenceNo(10000),
                 NextSequenceNo(std::numeric_limits<std::int32_t>::max()), NextSequenceNo(-5)),
      std::tuple(1, 10000, 0, 0, -4));
}

TEST(FormatScreenshotPathTest, JoinsFolderSeparatorAndNumberedName) {
  for (const auto& [folder, number, separator, expected] :
       {std::tuple{"/home/u/shots", 42, '/', "/home/u/shots/Spirandel 00042.bmp"},
        {"", 1, '\\', "\\Spirandel 00001.bmp"},
        {"C:\\", 7, '\\', "C:\\\\Spirandel 00007.bmp"},
        {"d", 123456, '/', "d/Spirandel 123456.bmp"},
        {"d", -4, '/', "d/Spirandel -0004.bmp"}}) {
    std::string path = "stale";
    EXPECT_EQ(FormatScreenshotPath(folder, number, separator, path), 1);
    EXPECT_EQ(path, expected);
  }
}

TEST(FormatScreenshotPathTest, TooLongOrNulFolderIsRefused) {
  const std::string fits(kMaxScreenshotPath - std::string("/Spirandel 00001.bmp").size(), 'a');
  for (const auto& [folder, formatted] :
       {std::pair{fits, 1}, {fits + "a", 0}, {std::string("/tmp\0/x", 7), 0}}) {
    std::string path = "stale";
    EXPECT_EQ(FormatScreenshotPath(folder, 1, '/', path), formatted);
    EXPECT_EQ(path.size(), formatted ? kMaxScreenshotPath : 0u);
  }
}

}  // namespace
