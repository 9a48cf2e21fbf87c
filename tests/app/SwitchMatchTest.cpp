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

TEST(MatchSwitchTest, ComparesOnlyOneCharacterAfterOnePrefix) {
  EXPECT_TRUE(MatchSwitch("/s", "S"));
  EXPECT_TRUE(MatchSwitch("-screen", "s"));
  EXPECT_FALSE(MatchSwitch("//s", "s"));
  EXPECT_FALSE(MatchSwitch("", "s"));
  EXPECT_FALSE(MatchSwitch("s", ""));
}

}  // namespace
