#include <gtest/gtest.h>

#include "FakeProfileStore.h"
#include "idle/IdleOptions.h"
#include "idle/IdleSettings.h"

namespace {

using EAction = SIdleOptions::EAction;

struct SOptionsCase {
  std::vector<std::string> arguments;
  EAction action = EAction::Error;
  std::optional<std::uint32_t> wait = {};
  std::optional<std::uint32_t> lockAfter = {};
  std::optional<std::string> command = {};
};

TEST(IdleOptions, TableOfCommandLines) {
  // Rows without an action are refused.
  const SOptionsCase cases[] = {
      {{}, EAction::Watch},
      {{"--wait", "3"}, EAction::Watch, 3},
      {{"--wait=86400"}, EAction::Watch, 86400},
      {{"--lock-after", "0"}, EAction::Watch, {}, 0},
      {{"--lock-command", "swaylock -f", "--wait", "5"}, EAction::Watch, 5, {}, "swaylock -f"},
      {{"--lock-command=a=b"}, EAction::Watch, {}, {}, "a=b"},
      {{"--help", "--bogus"}, EAction::Help},
      {{"-h"}, EAction::Help},
      {{"--version"}, EAction::Version},
      // clang-format off
      {{"--wait"}}, {{"--wait", "0"}}, {{"--wait", "86401"}}, {{"--wait", "-3"}},
      {{"--wait", "+3"}}, {{"--wait", "3s"}}, {{"--wait", " 3"}}, {{"--wait="}},
      {{"--wait", "99999999999999999999"}}, {{"--lock-after", "86401"}}, {{"--lock-command", ""}},
      {{"--bogus"}}, {{"/s"}}, {{"--wait", "3", "extra"}}};
  // clang-format on
  for (const auto& c : cases) {
    std::string line;
    for (const auto& a : c.arguments)
      line += a + " ";
    const SIdleOptions options = ParseIdleOptions(c.arguments);
    EXPECT_EQ(options.action, c.action) << line;
    EXPECT_EQ(options.action == EAction::Error, !options.error.empty()) << line;
    if (c.action != EAction::Watch)
      continue;
    EXPECT_EQ(options.waitSeconds, c.wait) << line;
    EXPECT_EQ(options.lockAfterSeconds, c.lockAfter) << line;
    EXPECT_EQ(options.lockCommand, c.command) << line;
  }
}

TEST(IdleOptions, OverridesApplyOverTheStoredValues) {
  const SIdleSettings stored{.active = false, .waitSeconds = 900};
  EXPECT_EQ(ParseIdleOptions({}).Apply(stored), stored);
  const SIdleSettings over = ParseIdleOptions({"--wait", "3", "--lock-after", "7"}).Apply(stored);
  EXPECT_EQ(over, (SIdleSettings{
                      .active = false, .waitSeconds = 3, .lock = true, .lockDelaySeconds = 7}));
}

TEST(IdleSettings, StoredValuesOutOfRangeReadAsTheDefaults) {
  CFakeProfileStore store;
  EXPECT_EQ(ReadIdleSettings(store), SIdleSettings{});
  store.values = {{"ScreenSaveActive", 0u},
                  {"ScreenSaveTimeOut", 0u},
                  {"ScreenSaverIsSecure", 2u},
                  {"ScreenSaverGracePeriod", 0u}};
  EXPECT_EQ(
      ReadIdleSettings(store),
      (SIdleSettings{.active = false, .waitSeconds = 600, .lock = true, .lockDelaySeconds = 0}));
  store.values = {{"ScreenSaveTimeOut", 86401u}, {"ScreenSaverGracePeriod", 86401u}};
  EXPECT_EQ(ReadIdleSettings(store), SIdleSettings{});
  store.values = {{"ScreenSaveTimeOut", 86400u}, {"ScreenSaveActive", std::string("1")}};
  EXPECT_EQ(ReadIdleSettings(store).waitSeconds, 86400u);
}

TEST(IdleSettings, WrittenValuesReadBackAndAFailedWriteSaysSo) {
  CFakeProfileStore store;
  for (const SIdleSettings& settings :
       {SIdleSettings{.active = false, .waitSeconds = 75, .lock = true, .lockDelaySeconds = 0},
        SIdleSettings{
            .active = true, .waitSeconds = 86400, .lock = false, .lockDelaySeconds = 86400}}) {
    EXPECT_NE(WriteIdleSettings(store, settings), 0);
    EXPECT_EQ(ReadIdleSettings(store), settings);
  }
  store.failWrites = true;
  EXPECT_EQ(WriteIdleSettings(store, SIdleSettings{}), 0);
}

}  // namespace
