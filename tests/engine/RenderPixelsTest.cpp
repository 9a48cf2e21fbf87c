#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "RenderDriver.h"
#include "canvas/RasterCanvas.h"
#include "settings/OptionBits.h"

namespace {

std::vector<std::uint32_t> Render(SaverSettings& settings, std::uint32_t seed) {
  CRasterCanvas canvas(320, 240);
  CHeadlessHost host(
      canvas, [&canvas] { canvas.BeginContext(); }, 320, 240, seed);
  CTracingCurveWnd wnd(settings, host, 0);
  RunHeadless(wnd, host, canvas, 3, -1);
  return {canvas.Pixels(), canvas.Pixels() + 320 * 240};
}

}  // namespace

TEST(RenderPixelsTest, SameSeedSamePixelsOtherSeedOtherPixels) {
  SaverSettings settings;
  settings.m_objectShape = OptionBits::kAllShapes;
  settings.m_objectRotation = OptionBits::kAllRotations;
  settings.m_joinTheDots = OptionBits::kAllJoinModes;
  settings.m_zoomOption = 0x3FF;
  const auto first = Render(settings, 2024);
  EXPECT_EQ(Render(settings, 2024), first);
  EXPECT_NE(Render(settings, 2025), first);
}

#ifdef SPIRANDEL_RENDER_PROGRAM
namespace {

int RunProgram(const std::string& arguments) {
  const std::string command = std::string(SPIRANDEL_RENDER_PROGRAM) + " " + arguments;
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(RenderProgramTest, WritesTheDrawingAreaIdenticallyEveryTime) {
  const std::string dir = SPIRANDEL_BINARY_DIR;
  const std::string a = dir + "/render-test-a.bmp";
  const std::string b = dir + "/render-test-b.bmp";
  const std::string trace = dir + "/render-test-trace.txt";
  ASSERT_EQ(RunProgram("--seed 7 --figures 3 --out " + a + " --trace > " + trace), 0);
  ASSERT_EQ(RunProgram("--seed 7 --figures 3 --out " + b + " --trace > /dev/null"), 0);
  const std::string first = ReadAll(a);
  EXPECT_EQ(first, ReadAll(b));
  ASSERT_GE(first.size(), 54u);
  // Width 638, height 478, 32 bits a pixel.
  EXPECT_EQ(first.substr(18, 12), std::string("\x7e\x02\0\0\xde\x01\0\0\x01\0\x20\0", 12));
  const std::string lines = ReadAll(trace);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
  EXPECT_EQ(lines.rfind("figure=1 kindX=", 0), 0u);
  std::remove(a.c_str());
  std::remove(b.c_str());
  std::remove(trace.c_str());
}

TEST(RenderProgramTest, BadOptionsExit2AndUnwritableOutputExits1) {
  for (auto [args, code] : {std::pair{"--seed -1", 2},
                            {"--size 10", 2},
                            {"--figures 1 --ticks 1", 2},
                            {"--bogus", 2},
                            {"--settings /nonexistent/Settings.reg", 2},
                            {"--seed 1 --ticks 3 --out /nonexistent/dir/a.bmp", 1}}) {
    EXPECT_EQ(RunProgram(std::string(args) + " 2>/dev/null"), code) << args;
  }
}

TEST(RenderProgramTest, SettingsFileIsRead) {
  const std::string dir = SPIRANDEL_BINARY_DIR;
  const std::string settings = dir + "/render-test-settings.reg";
  const std::string trace = dir + "/render-test-settings-trace.txt";
  {
    std::ofstream out(settings, std::ios::binary);
    out << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\tallowyn\\spir_ss\\Settings]\r\n"
           "\"ObjectShape\"=dword:00000010\r\n\"RadiusFactor\"=dword:0000000a\r\n"
           "\"JoinTheDots\"=dword:00000004\r\n";
  }
  ASSERT_EQ(RunProgram("--seed 3 --settings " + settings + " --ticks 1 --trace > " + trace), 0);
  const std::string line = ReadAll(trace);
  EXPECT_NE(line.find(" shape=16 "), std::string::npos) << line;
  EXPECT_NE(line.find(" joinMode=4 "), std::string::npos) << line;
  EXPECT_NE(line.find(" radius=47 "), std::string::npos) << line;
  std::remove(settings.c_str());
  std::remove(trace.c_str());
}
#endif
