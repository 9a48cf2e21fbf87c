#include <gtest/gtest.h>

#include "RenderOptions.h"

namespace {
bool Parse(std::vector<std::string> args, CRenderOptions& options) {
  std::string error;
  const bool ok = ParseRenderOptions(args, options, error);
  EXPECT_EQ(ok, error.empty()) << error;
  return ok;
}
}  // namespace

TEST(RenderOptionsTest, DefaultsAndEveryOption) {
  CRenderOptions options;
  ASSERT_TRUE(Parse({}, options));
  EXPECT_FALSE(options.seed.has_value());
  EXPECT_EQ(options.width, 640);
  EXPECT_EQ(options.height, 480);
  EXPECT_EQ(options.figures, 1u);
  EXPECT_FALSE(options.ticks.has_value());
  EXPECT_FALSE(options.trace);

  CRenderOptions all;
  ASSERT_TRUE(Parse({"--seed", "4294967295", "--size", "3x16384", "--settings", "s.reg", "--ticks",
                     "0", "--out", "a.bmp", "--trace"},
                    all));
  EXPECT_EQ(all.seed, 4294967295u);
  EXPECT_EQ(all.width, 3);
  EXPECT_EQ(all.height, 16384);
  EXPECT_EQ(all.settingsFile, "s.reg");
  EXPECT_EQ(all.ticks, 0u);
  EXPECT_EQ(all.outFile, "a.bmp");
  EXPECT_TRUE(all.trace);

  CRenderOptions figures;
  ASSERT_TRUE(Parse({"--figures", "3", "--seed", "0"}, figures));
  EXPECT_EQ(figures.figures, 3u);
  EXPECT_EQ(figures.seed, 0u);
}

TEST(RenderOptionsTest, BadOptionsAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"--seed"},
      {"--seed", "4294967296"},
      {"--seed", "-1"},
      {"--seed", "+5"},
      {"--seed", "12a"},
      {"--seed", ""},
      {"--seed", "99999999999999999999999"},
      {"--size", "640"},
      {"--size", "640x"},
      {"--size", "x480"},
      {"--size", "2x480"},
      {"--size", "640x16385"},
      {"--size", "640X480"},
      {"--size", "-640x480"},
      {"--figures", "0"},
      {"--figures", "100001"},
      {"--ticks", "-3"},
      {"--figures", "2", "--ticks", "5"},
      {"--trace", "--trace"},
      {"--seed", "1", "--seed", "2"},
      {"--out", ""},
      {"--settings", ""},
      {"--colour", "red"},
      {"seed=1"},
  };
  for (const auto& args : bad) {
    CRenderOptions options;
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(args, options, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}
