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

// The folder, the separator and the numbered name; a folder that leaves just room for the name
// fits, one character more or a NUL in it is refused with an empty path.
TEST(FormatScreenshotPathTest, JoinsFolderSeparatorAndNumberedNameOrRefuses) {
  const std::string fits(kMaxScreenshotPath - std::string("/Spirandel 00001.bmp").size(), 'a');
  for (const auto& [folder, number, separator, expected] :
       {std::tuple<std::string, int, char, std::string>{"/home/u/shots", 42, '/',
                                                        "/home/u/shots/Spirandel 00042.bmp"},
        {"", 1, '\\', "\\Spirandel 00001.bmp"},
        {"C:\\", 7, '\\', "C:\\\\Spirandel 00007.bmp"},
        {"d", 123456, '/', "d/Spirandel 123456.bmp"},
        {"d", -4, '/', "d/Spirandel -0004.bmp"},
        {fits, 1, '/', fits + "/Spirandel 00001.bmp"},
        {fits + "a", 1, '/', ""},
        {std::string("/tmp\0/x", 7), 1, '/', ""}}) {
    std::string path = "stale";
    EXPECT_EQ(FormatScreenshotPath(folder, number, separator, path), expected.empty() ? 0 : 1);
    EXPECT_EQ(path, expected);
  }
}

}  // namespace
