// The headless renderer: its options, the trace, the picture and the exit codes. The Windows
// comparison, which renders with a settings file for every option value, shows that the
// settings reach the figures.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int RunProgram(const std::string& arguments) {
  const int status = std::system((SPIRANDEL_RENDER_PROGRAM " " + arguments).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kDir = SPIRANDEL_BINARY_DIR "/render-test-";

}  // namespace

TEST(RenderProgramTest, DrawsAndTracesTheFiguresOfItsSettingsAndExitsWithItsCode) {
  ASSERT_EQ(RunProgram("--seed 7 --figures 3 --out " + kDir + "a.bmp --trace > " + kDir + "a"), 0);
  const std::string picture = ReadAll(kDir + "a.bmp");
  // Width 638, height 478, 32 bits a pixel, and the last figure still on screen.
  ASSERT_GE(picture.size(), 54u);
  EXPECT_EQ(picture.substr(18, 12), std::string("\x7e\x02\0\0\xde\x01\0\0\x01\0\x20\0", 12));
  EXPECT_NE(picture.find_first_not_of('\0', 54), std::string::npos);
  const std::string trace = ReadAll(kDir + "a");
  EXPECT_EQ(trace.substr(0, trace.find('\n')),
            "figure=1 kindX=40 kindY=21 shape=2 rotation=2 zoomLevel=0 zoomPhase=128 shrinking=1 "
            "joinMode=2 radius=38 firstPoint=600,239 colour=0x944A70");
  EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 3);
  // The name chooses PNG, in either case; its pixels are the BMP's, channel for channel.
  ASSERT_EQ(RunProgram("--seed 7 --figures 3 --out " + kDir + "a.PNG"), 0);
  EXPECT_EQ(ReadAll(kDir + "a.PNG").substr(12, 12),
            std::string("IHDR\0\0\x02\x7e\0\0\x01\xde", 12));
  EXPECT_EQ(
      std::system(
          ("compare -metric AE " + kDir + "a.bmp " + kDir + "a.PNG null: 2>/dev/null").c_str()),
      0);
  // Bad options and an unreadable settings file exit with 2, an unwritable picture with 1.
  // clang-format off
  for (const char* bad : {"--seed", "--seed 4294967296", "--seed -1", "--seed +5", "--seed 12a",
                          "--seed 99999999999999999999999", "--size 640", "--size 640x",
                          "--size x480", "--size 2x480", "--size 640x16385", "--size 640X480",
                          "--figures 0", "--figures 100001", "--ticks -3", "--figures 2 --ticks 5",
                          "--trace --trace", "--out", "--colour red",
                          "--settings /nonexistent/Settings.reg"}) {
    // clang-format on
    EXPECT_EQ(RunProgram(std::string(bad) + " 2>/dev/null"), 2) << bad;
  }
  EXPECT_EQ(RunProgram("--seed 1 --ticks 3 --out /nonexistent/dir/a.bmp 2>/dev/null"), 1);
  EXPECT_EQ(RunProgram("--seed 1 --ticks 3 --out /nonexistent/dir/a.png 2>/dev/null"), 1);
  EXPECT_EQ(RunProgram("--seed 4294967295 --size 3x16384 --ticks 1"), 0);
  for (const char* name : {"a.bmp", "a.PNG", "a"}) {
    std::remove((kDir + name).c_str());
  }
}
