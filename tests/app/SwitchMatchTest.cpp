#include "app/SwitchMatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using enum RunMode;

struct S {
  std::vector<std::string_view> arguments;
  RunMode mode;
  std::optional<std::uint64_t> window = {};
  bool root = false;
};

TEST(ChooseRunModeTest, SelectsTheModeOfTheFirstWord) {
  for (const S& c :
       {S{{}, kConfiguration}, S{{"/c:1234"}, kConfiguration}, S{{"C"}, kConfiguration},
        S{{"-S"}, kFullScreen}, S{{"/screensaver"}, kFullScreen}, S{{"/S:123"}, kFullScreen},
        S{{"/preview", "1234"}, kPreview, 1234}, S{{"-P", "  +77abc"}, kPreview, 77},
        S{{"/p"}, kPreview}, S{{"/p", "-5"}, kPreview}, S{{"/p", "0"}, kPreview},
        S{{"/p", "99999999999999999999999"}, kPreview},
        S{{"/p", "18446744073709551615"}, kPreview, 18446744073709551615u}, S{{"/a"}, kNone},
        S{{""}, kNone}, S{{"/"}, kNone}, S{{"--s"}, kNone}, S{{"//s"}, kNone},
        S{{"-root"}, kHosted, {}, true}, S{{"-window-id", "4660"}, kHosted, 4660},
        // The window id wins over --root, in either order.
        S{{"--root", "--window-id", "0x1234"}, kHosted, 0x1234},
        S{{"--window-id", "0X1a", "-root"}, kHosted, 0x1a},
        // A bad or missing id ends the program, even beside --root.
        S{{"--window-id"}, kNone}, S{{"--root", "--window-id", "zz"}, kNone},
        S{{"--window-id", "0", "--root"}, kNone}, S{{"--help"}, kUsage}, S{{"-h"}, kUsage},
        S{{"--version"}, kVersion},
        // Options may come first, even those whose letter the Windows rule knows.
        S{{"-speed", "5", "--root"}, kHosted, {}, true},
        S{{"-colour", "low", "-window-id", "7"}, kHosted, 7},
        // Unknown words among them, bad values, and near misses, end the program.
        S{{"--root", "--fast"}, kNone}, S{{"--root", "--size"}, kNone}, S{{"---root"}, kNone},
        S{{"--ROOT"}, kNone}, S{{"-help"}, kNone}, S{{"--root=1"}, kNone}, S{{"root"}, kNone},
        // The Windows switches keep their meaning.
        S{{"-s", "--root"}, kFullScreen}}) {
    const ModeChoice choice = ChooseRunMode(c.arguments);
    EXPECT_EQ(std::tuple(choice.mode, choice.hostWindow, choice.rootWindow),
              std::tuple(c.mode, c.window, c.root))
        << (c.arguments.empty() ? "" : c.arguments[0]);
  }
}

TEST(ParseHostWindowIdTest, HexOrDecimalWithNothingAround) {
  EXPECT_EQ(std::tuple(ParseHostWindowId("0XABCdef"), ParseHostWindowId("0xffffffffffffffff"),
                       ParseHostWindowId("18446744073709551615"), ParseHostWindowId("0123")),
            std::tuple(0xabcdefu, 0xffffffffffffffffu, 18446744073709551615u, 123u));
  for (const std::string_view bad : {"", "0x", "0", "0x0", " 12", "12 ", "+12", "-12", "0x12g",
                                     "12a", "x12", "0x10000000000000000", "18446744073709551616"}) {
    EXPECT_EQ(ParseHostWindowId(bad), std::nullopt) << "'" << bad << "'";
  }
}

}  // namespace
