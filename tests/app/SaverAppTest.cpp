#include "app/SaverApp.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeProfileStore.h"

namespace {

class CRecordingModes : public IRunModes {
 public:
  void RunConfigSheet(SaverSettings& settings) override {
    Log("config");
    sawShape = settings.m_objectShape;
  }
  int CreatePreviewWindow(SaverSettings&, std::uint64_t host) override {
    return Log("preview " + std::to_string(host));
  }
  int CreateFullScreenWindow(SaverSettings&) override { return Log("fullscreen"); }
  int CreateHostedWindow(SaverSettings&, std::optional<std::uint64_t> window, bool root) override {
    return Log("hosted " + (window ? std::to_string(*window) : std::string("-")) +
               (root ? " root" : ""));
  }
  void ShowUsage() override { Log("usage"); }
  int RunMessageLoop() override { return Log("loop"), 0; }
  // Every window creation answers windowCreated.
  int Log(std::string call) {
    calls.push_back(std::move(call));
    return windowCreated;
  }

  std::vector<std::string> calls;
  std::uint32_t sawShape = 0;
  int windowCreated = 1;
};

TEST(SaverAppTest, EachModeGetsLoadedSettingsItsEntryPointAndALoopOnlyWithAWindow) {
  using V = std::vector<std::string>;
  struct Case {
    std::vector<std::string_view> args;
    V calls;
    int windowCreated = 1;
  };
  for (const Case& c :
       {Case{{}, V{"config"}}, Case{{"/c:1234"}, V{"config"}},
        Case{{"/s"}, V{"fullscreen", "loop"}}, Case{{"/p", "1234"}, V{"preview 1234", "loop"}},
        Case{{"--root"}, V{"hosted - root", "loop"}},
        Case{{"--root", "--window-id", "0x10"}, V{"hosted 16", "loop"}},
        Case{{"--window-id", "bad"}, V{"hosted -"}, 0}, Case{{"--help"}, V{"usage"}},
        Case{{"/a"}, V{}}, Case{{"/p"}, V{}}, Case{{"/p", "abc"}, V{}},
        Case{{"/s"}, V{"fullscreen"}, 0}, Case{{"/p", "5"}, V{"preview 5"}, 0}}) {
    CFakeProfileStore store;
    store.values["ObjectShape"] = std::uint32_t{64};
    CRecordingModes modes;
    modes.windowCreated = c.windowCreated;
    CSaverApp app(store, modes);
    EXPECT_EQ(app.Run(c.args), 0);
    EXPECT_EQ(modes.calls, c.calls) << (c.args.empty() ? "" : c.args[0]);
    // The settings are loaded before the switch is examined, even for an unknown one.
    EXPECT_EQ(app.Settings().m_objectShape, 64u);
    EXPECT_EQ(modes.sawShape, c.calls == V{"config"} ? 64u : 0u);
  }
}

}  // namespace
