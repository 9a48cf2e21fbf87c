#include "app/SaverApp.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeProfileStore.h"

namespace {

class CRecordingModes : public IRunModes {
 public:
  void RunConfigSheet(SaverSettings& settings) override {
    calls.push_back("config");
    sawShape = settings.m_objectShape;
  }
  int CreatePreviewWindow(SaverSettings&, std::uint64_t host) override {
    calls.push_back("preview " + std::to_string(host));
    return windowCreated;
  }
  int CreateFullScreenWindow(SaverSettings&) override {
    calls.push_back("fullscreen");
    return windowCreated;
  }
  int CreateHostedWindow(SaverSettings&, std::optional<std::uint64_t> window, bool root) override {
    calls.push_back("hosted " + (window ? std::to_string(*window) : std::string("-")) +
                    (root ? " root" : ""));
    return windowCreated;
  }
  void ShowUsage() override { calls.push_back("usage"); }
  int RunMessageLoop() override {
    calls.push_back("loop");
    return 0;
  }

  std::vector<std::string> calls;
  std::uint32_t sawShape = 0;
  int windowCreated = 1;
};

std::vector<std::string> RunWith(std::vector<std::string_view> args, int windowCreated = 1) {
  CFakeProfileStore store;
  CRecordingModes modes;
  modes.windowCreated = windowCreated;
  CSaverApp app(store, modes);
  EXPECT_EQ(app.Run(args), 0);
  return modes.calls;
}

TEST(SaverAppTest, EachModeCallsItsEntryPoint) {
  using V = std::vector<std::string>;
  EXPECT_EQ(RunWith({}), V{"config"});
  EXPECT_EQ(RunWith({"/c:1234"}), V{"config"});
  EXPECT_EQ(RunWith({"/s"}), (V{"fullscreen", "loop"}));
  EXPECT_EQ(RunWith({"/p", "1234"}), (V{"preview 1234", "loop"}));
}

TEST(SaverAppTest, UnixHostWordsReachTheHostedWindowAndUsage) {
  using V = std::vector<std::string>;
  EXPECT_EQ(RunWith({"--root"}), (V{"hosted - root", "loop"}));
  EXPECT_EQ(RunWith({"--root", "--window-id", "0x10"}), (V{"hosted 16", "loop"}));
  EXPECT_EQ(RunWith({"--window-id", "bad"}, 0), V{"hosted -"});
  EXPECT_EQ(RunWith({"--help"}), V{"usage"});
}

TEST(SaverAppTest, NoWindowMeansNoMessageLoop) {
  using V = std::vector<std::string>;
  EXPECT_EQ(RunWith({"/a"}), V{});
  EXPECT_EQ(RunWith({"/p"}), V{});
  EXPECT_EQ(RunWith({"/p", "abc"}), V{});
  EXPECT_EQ(RunWith({"/s"}, 0), V{"fullscreen"});
  EXPECT_EQ(RunWith({"/p", "5"}, 0), V{"preview 5"});
}

TEST(SaverAppTest, SettingsAreLoadedBeforeTheSwitchIsExamined) {
  CFakeProfileStore store;
  store.values["ObjectShape"] = std::uint32_t{64};
  CRecordingModes modes;
  CSaverApp app(store, modes);
  const std::vector<std::string_view> unknown{"/a"};
  app.Run(unknown);
  EXPECT_EQ(app.Settings().m_objectShape, 64u);
  app.Run({});
  EXPECT_EQ(modes.sawShape, 64u);
}

}  // namespace
