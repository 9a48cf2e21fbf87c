#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "RenderDriver.h"
#include "app/OptionBits.h"
#include "canvas/RasterCanvas.h"

namespace {

std::vector<std::uint32_t> Render(SaverSettings& settings, std::uint32_t seed,
                                  std::uint32_t figures, int width = 320, int height = 240) {
  CRasterCanvas canvas(width, height);
  CHeadlessHost host(
      canvas, [&canvas] { canvas.BeginContext(); }, width, height, seed);
  CTracingCurveWnd wnd(settings, host, 0);
  RunHeadless(wnd, host, canvas, figures, -1);
  return {canvas.Pixels(), canvas.Pixels() + width * height};
}

std::uint32_t AsPixel(ColourRef colour) {
  // The canvas holds 0x00RRGGBB; the pen colour is 0x00BBGGRR.
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

}  // namespace

TEST(RenderPixelsTest, SameSeedSamePixelsOtherSeedOtherPixels) {
  SaverSettings settings;
  settings.m_objectShape = OptionBits::kAllShapes;
  settings.m_objectRotation = OptionBits::kAllRotations;
  settings.m_joinTheDots = OptionBits::kAllJoinModes;
  settings.m_zoomOption = 0x3FF;
  const auto first = Render(settings, 2024, 3);
  EXPECT_EQ(Render(settings, 2024, 3), first);
  EXPECT_NE(Render(settings, 2025, 3), first);
}

TEST(RenderPixelsTest, WorkedExampleCircleLandsWhereThePlanSays) {
  SaverSettings settings;
  CRasterCanvas canvas(640, 480);
  CHeadlessHost host(
      canvas, [&canvas] { canvas.BeginContext(); }, 640, 480, 1);
  CTracingCurveWnd wnd(settings, host, 0);
  wnd.OnCreate();
  wnd.OnSize(640, 480);
  wnd.m_kindX = 1;
  wnd.m_kindY = 0;
  // Seed 0's next two draws (38, 7719) leave both axes unmirrored.
  wnd.m_random.Seed(0);
  wnd.OnTimer(1);
  const std::uint32_t pen = AsPixel(static_cast<ColourRef>(wnd.m_colour[0]) | wnd.m_colour[1] << 8 |
                                    wnd.m_colour[2] << 16);
  // Point 0 at (601, 240), radius 38: the circle's leftmost, topmost and bottom pixels.
  EXPECT_EQ(canvas.PixelAt(563, 240), pen);
  EXPECT_EQ(canvas.PixelAt(601, 202), pen);
  EXPECT_EQ(canvas.PixelAt(601, 240), 0u);
  EXPECT_EQ(canvas.PixelAt(562, 240), 0u);
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
  auto le32 = [&first](int at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(first[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(first[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(first[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(first[at + 3])) << 24;
  };
  EXPECT_EQ(le32(18), 638u);
  EXPECT_EQ(le32(22), 478u);
  EXPECT_EQ(first[28], 32);
  const std::string lines = ReadAll(trace);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
  EXPECT_EQ(lines.rfind("figure=1 kindX=", 0), 0u);
  std::remove(a.c_str());
  std::remove(b.c_str());
  std::remove(trace.c_str());
}

TEST(RenderProgramTest, BadOptionsGiveUsageAndExitCode2) {
  for (const char* args : {"--seed -1", "--size 10", "--figures 1 --ticks 1", "--bogus",
                           "--settings /nonexistent/Settings.reg"}) {
    EXPECT_EQ(RunProgram(std::string(args) + " 2>/dev/null"), 2) << args;
  }
}

TEST(RenderProgramTest, UnwritableOutputFails) {
  EXPECT_EQ(RunProgram("--seed 1 --ticks 3 --out /nonexistent/dir/a.bmp 2>/dev/null"), 1);
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
