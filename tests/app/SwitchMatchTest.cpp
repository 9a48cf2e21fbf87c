#include "app/SwitchMatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SwitchCase {
  std::vector<std::string_view> arguments;
  RunMode mode;
  std::optional<std::uint64_t> host;
};

class ChooseRunModeTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(ChooseRunModeTest, SelectsTheModeOfTheFirstLetter) {
  const SwitchCase& c = GetParam();
  const ModeChoice choice = ChooseRunMode(c.arguments);
  EXPECT_EQ(choice.mode, c.mode);
  EXPECT_EQ(choice.hostWindow, c.host);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, ChooseRunModeTest,
    testing::Values(SwitchCase{{}, RunMode::kConfiguration, {}},
                    SwitchCase{{"/c"}, RunMode::kConfiguration, {}},
                    SwitchCase{{"/c:1234"}, RunMode::kConfiguration, {}},
                    SwitchCase{{"C"}, RunMode::kConfiguration, {}},
                    SwitchCase{{"/s"}, RunMode::kFullScreen, {}},
                    SwitchCase{{"-S"}, RunMode::kFullScreen, {}},
                    SwitchCase{{"s"}, RunMode::kFullScreen, {}},
                    SwitchCase{{"/screensaver"}, RunMode::kFullScreen, {}},
                    SwitchCase{{"/S:123"}, RunMode::kFullScreen, {}},
                    SwitchCase{{"/p", "1234"}, RunMode::kPreview, 1234},
                    SwitchCase{{"/preview", "1234"}, RunMode::kPreview, 1234},
                    SwitchCase{{"-P", "  +77abc"}, RunMode::kPreview, 77},
                    SwitchCase{{"/p"}, RunMode::kPreview, {}},
                    SwitchCase{{"/p", "window"}, RunMode::kPreview, {}},
                    SwitchCase{{"/p", "-5"}, RunMode::kPreview, {}},
                    SwitchCase{{"/p", "0"}, RunMode::kPreview, {}},
                    SwitchCase{{"/p", "99999999999999999999999"}, RunMode::kPreview, {}},
                    SwitchCase{{"/a"}, RunMode::kNone, {}}, SwitchCase{{"x"}, RunMode::kNone, {}},
                    SwitchCase{{""}, RunMode::kNone, {}}, SwitchCase{{"/"}, RunMode::kNone, {}},
                    SwitchCase{{"--s"}, RunMode::kNone, {}}));

struct HostedCase {
  std::vector<std::string_view> arguments;
  RunMode mode;
  std::optional<std::uint64_t> window;
  bool root;
};

class HostedModeTest : public testing::TestWithParam<HostedCase> {};

TEST_P(HostedModeTest, ReadsTheUnixHostWords) {
  const HostedCase& c = GetParam();
  const ModeChoice choice = ChooseRunMode(c.arguments);
  EXPECT_EQ(choice.mode, c.mode);
  EXPECT_EQ(choice.hostWindow, c.window);
  EXPECT_EQ(choice.rootWindow, c.root);
}

INSTANTIATE_TEST_SUITE_P(
    HostWords, HostedModeTest,
    testing::Values(HostedCase{{"--root"}, RunMode::kHosted, {}, true},
                    HostedCase{{"-root"}, RunMode::kHosted, {}, true},
                    HostedCase{{"--window-id", "0x1234"}, RunMode::kHosted, 0x1234, false},
                    HostedCase{{"-window-id", "4660"}, RunMode::kHosted, 4660, false},
                    // The window id wins over --root, in either order.
                    HostedCase{
                        {"--root", "--window-id", "0x1234"}, RunMode::kHosted, 0x1234, false},
                    HostedCase{{"--window-id", "0X1a", "-root"}, RunMode::kHosted, 0x1a, false},
                    // A bad or missing id names no window; it still wins, so nothing is drawn.
                    HostedCase{{"--window-id"}, RunMode::kHosted, {}, false},
                    HostedCase{{"--root", "--window-id", "zz"}, RunMode::kHosted, {}, false},
                    HostedCase{{"--window-id", "0"}, RunMode::kHosted, {}, false},
                    HostedCase{{"--help"}, RunMode::kUsage, {}, false},
                    // Unknown words among them, and near misses, end silently.
                    HostedCase{{"--root", "--fast"}, RunMode::kNone, {}, false},
                    HostedCase{{"---root"}, RunMode::kNone, {}, false},
                    HostedCase{{"--ROOT"}, RunMode::kNone, {}, false},
                    HostedCase{{"-help"}, RunMode::kNone, {}, false},
                    HostedCase{{"--root=1"}, RunMode::kNone, {}, false},
                    // The Windows switches keep their meaning.
                    HostedCase{{"-s", "--root"}, RunMode::kFullScreen, {}, false},
                    HostedCase{{"root"}, RunMode::kNone, {}, false}));

TEST(ParseHostWindowIdTest, HexOrDecimalWithNothingAround) {
  EXPECT_EQ(ParseHostWindowId("0x400001"), 0x400001u);
  EXPECT_EQ(ParseHostWindowId("0XABCdef"), 0xabcdefu);
  EXPECT_EQ(ParseHostWindowId("4194305"), 4194305u);
  EXPECT_EQ(ParseHostWindowId("0xffffffffffffffff"), 0xffffffffffffffffu);
  EXPECT_EQ(ParseHostWindowId("18446744073709551615"), 18446744073709551615u);
  for (const std::string_view bad : {"", "0x", "0", "0x0", " 12", "12 ", "+12", "-12", "0x12g",
                                     "12a", "x12", "0x10000000000000000", "18446744073709551616"}) {
    EXPECT_EQ(ParseHostWindowId(bad), std::nullopt) << "'" << bad << "'";
  }
}

TEST(MatchSwitchTest, ComparesOnlyOneCharacterAfterOnePrefix) {
  EXPECT_TRUE(MatchSwitch("/s", "S"));
  EXPECT_TRUE(MatchSwitch("-screen", "s"));
  EXPECT_FALSE(MatchSwitch("//s", "s"));
  EXPECT_FALSE(MatchSwitch("", "s"));
  EXPECT_FALSE(MatchSwitch("s", ""));
}

}  // namespace
