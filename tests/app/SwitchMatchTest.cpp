#include "app/SwitchMatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SwitchCase {
  std::vector<std::string_view> arguments;
  RunMode mode;
  std::optional<std::uint64_t> window;
  bool root;
};

class ChooseRunModeTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(ChooseRunModeTest, SelectsTheModeOfTheFirstWord) {
  const SwitchCase& c = GetParam();
  const ModeChoice choice = ChooseRunMode(c.arguments);
  EXPECT_EQ(choice.mode, c.mode);
  EXPECT_EQ(choice.hostWindow, c.window);
  EXPECT_EQ(choice.rootWindow, c.root);
}

constexpr RunMode kConfig = RunMode::kConfiguration;
constexpr RunMode kFull = RunMode::kFullScreen;
constexpr RunMode kPreview = RunMode::kPreview;
constexpr RunMode kHosted = RunMode::kHosted;
constexpr RunMode kNone = RunMode::kNone;

INSTANTIATE_TEST_SUITE_P(
    Switches, ChooseRunModeTest,
    testing::Values(
        SwitchCase{{}, kConfig, {}, false}, SwitchCase{{"/c:1234"}, kConfig, {}, false},
        SwitchCase{{"C"}, kConfig, {}, false}, SwitchCase{{"-S"}, kFull, {}, false},
        SwitchCase{{"/screensaver"}, kFull, {}, false}, SwitchCase{{"/S:123"}, kFull, {}, false},
        SwitchCase{{"/preview", "1234"}, kPreview, 1234, false},
        SwitchCase{{"-P", "  +77abc"}, kPreview, 77, false},
        SwitchCase{{"/p"}, kPreview, {}, false}, SwitchCase{{"/p", "-5"}, kPreview, {}, false},
        SwitchCase{{"/p", "0"}, kPreview, {}, false},
        SwitchCase{{"/p", "99999999999999999999999"}, kPreview, {}, false},
        SwitchCase{{"/a"}, kNone, {}, false}, SwitchCase{{""}, kNone, {}, false},
        SwitchCase{{"/"}, kNone, {}, false}, SwitchCase{{"--s"}, kNone, {}, false},
        SwitchCase{{"-root"}, kHosted, {}, true},
        SwitchCase{{"-window-id", "4660"}, kHosted, 4660, false},
        // The window id wins over --root, in either order.
        SwitchCase{{"--root", "--window-id", "0x1234"}, kHosted, 0x1234, false},
        SwitchCase{{"--window-id", "0X1a", "-root"}, kHosted, 0x1a, false},
        // A bad or missing id names no window; it still wins, so nothing is drawn.
        SwitchCase{{"--window-id"}, kHosted, {}, false},
        SwitchCase{{"--root", "--window-id", "zz"}, kHosted, {}, false},
        SwitchCase{{"--help"}, RunMode::kUsage, {}, false},
        // Unknown words among them, and near misses, end silently.
        SwitchCase{{"--root", "--fast"}, kNone, {}, false},
        SwitchCase{{"---root"}, kNone, {}, false}, SwitchCase{{"--ROOT"}, kNone, {}, false},
        SwitchCase{{"-help"}, kNone, {}, false}, SwitchCase{{"--root=1"}, kNone, {}, false},
        SwitchCase{{"root"}, kNone, {}, false},
        // The Windows switches keep their meaning.
        SwitchCase{{"-s", "--root"}, kFull, {}, false}));

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
