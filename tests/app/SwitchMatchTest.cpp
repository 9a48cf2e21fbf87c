#include "app/SwitchMatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SwitchCase {
  std::vector<std::string_view> arguments;
  RunMode mode;
  std::optional<std::uint64_t> window = {};
  bool root = false;
};

class ChooseRunModeTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(ChooseRunModeTest, SelectsTheModeOfTheFirstWord) {
  const SwitchCase& c = GetParam();
  const ModeChoice choice = ChooseRunMode(c.arguments);
  EXPECT_EQ(choice.mode, c.mode);
  EXPECT_EQ(choice.hostWindow, c.window);
  EXPECT_EQ(choice.rootWindow, c.root);
}

using enum RunMode;

INSTANTIATE_TEST_SUITE_P(
    Switches, ChooseRunModeTest,
    testing::Values(SwitchCase{{}, kConfiguration}, SwitchCase{{"/c:1234"}, kConfiguration},
                    SwitchCase{{"C"}, kConfiguration}, SwitchCase{{"-S"}, kFullScreen},
                    SwitchCase{{"/screensaver"}, kFullScreen}, SwitchCase{{"/S:123"}, kFullScreen},
                    SwitchCase{{"/preview", "1234"}, kPreview, 1234},
                    SwitchCase{{"-P", "  +77abc"}, kPreview, 77}, SwitchCase{{"/p"}, kPreview},
                    SwitchCase{{"/p", "-5"}, kPreview}, SwitchCase{{"/p", "0"}, kPreview},
                    SwitchCase{{"/p", "99999999999999999999999"}, kPreview},
                    SwitchCase{{"/a"}, kNone}, SwitchCase{{""}, kNone}, SwitchCase{{"/"}, kNone},
                    SwitchCase{{"--s"}, kNone}, SwitchCase{{"//s"}, kNone},
                    SwitchCase{{"-root"}, kHosted, {}, true},
                    SwitchCase{{"-window-id", "4660"}, kHosted, 4660},
                    // The window id wins over --root, in either order.
                    SwitchCase{{"--root", "--window-id", "0x1234"}, kHosted, 0x1234},
                    SwitchCase{{"--window-id", "0X1a", "-root"}, kHosted, 0x1a},
                    // A bad or missing id names no window; it still wins, so nothing is drawn.
                    SwitchCase{{"--window-id"}, kHosted},
                    SwitchCase{{"--root", "--window-id", "zz"}, kHosted},
                    SwitchCase{{"--help"}, kUsage},
                    // Unknown words among them, and near misses, end silently.
                    SwitchCase{{"--root", "--fast"}, kNone}, SwitchCase{{"---root"}, kNone},
                    SwitchCase{{"--ROOT"}, kNone}, SwitchCase{{"-help"}, kNone},
                    SwitchCase{{"--root=1"}, kNone}, SwitchCase{{"root"}, kNone},
                    // The Windows switches keep their meaning.
                    SwitchCase{{"-s", "--root"}, kFullScreen}));

TEST(ParseHostWindowIdTest, HexOrDecimalWithNothingAround) {
  EXPECT_EQ(ParseHostWindowId("0XABCdef"), 0xabcdefu);
  EXPECT_EQ(ParseHostWindowId("0xffffffffffffffff"), 0xffffffffffffffffu);
  EXPECT_EQ(ParseHostWindowId("18446744073709551615"), 18446744073709551615u);
  for (const std::string_view bad : {"", "0x", "0", "0x0", " 12", "12 ", "+12", "-12", "0x12g",
                                     "12a", "x12", "0x10000000000000000", "18446744073709551616"}) {
    EXPECT_EQ(ParseHostWindowId(bad), std::nullopt) << "'" << bad << "'";
  }
}

}  // namespace
