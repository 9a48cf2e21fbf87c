#include "app/SaverApp.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeProfileStore.h"

namespace {

// The settings a mode was started with, as one line that a table can spell out.
std::string Describe(const SaverSettings& s) {
  return std::to_string(s.ObjectSizePercent()) + "% " + std::to_string(s.m_timerInterval) + "ms " +
         std::to_string(s.m_endDelay) + "s shape " + std::to_string(s.m_objectShape) + " rot " +
         std::to_string(s.m_objectRotation) + " zoom " + std::to_string(s.m_zoomOption) + " join " +
         std::to_string(s.m_joinTheDots) + " colour " + std::to_string(s.m_colourOption);
}

constexpr std::string_view kStored = "20% 40ms 5s shape 510 rot 6 zoom 578 join 4 colour 30";

// Logs each call into the platform; a mode started with settings other than the stored ones
// shows them in its line.
class CRecordingModes : public IRunModes {
 public:
  void RunConfigSheet(SaverSettings& settings) override { Log("config", settings); }
  int CreatePreviewWindow(SaverSettings& settings, std::uint64_t host) override {
    return Log("preview " + std::to_string(host), settings);
  }
  int CreateFullScreenWindow(SaverSettings& settings) override {
    return Log("fullscreen", settings);
  }
  int CreateHostedWindow(SaverSettings& settings, std::optional<std::uint64_t> window,
                         bool root) override {
    return Log("hosted " + (window ? std::to_string(*window) : "-") + (root ? " root" : ""),
               settings);
  }
  void WriteText(std::string_view text, Stream stream) override {
    calls.push_back((stream == Stream::kErrors ? "err " : "out ") + std::string(text));
  }
  int RunMessageLoop() override { return calls.push_back("loop"), 0; }
  // Every window creation answers windowCreated.
  int Log(std::string call, const SaverSettings& settings) {
    seen = Describe(settings);
    calls.push_back(seen == kStored ? call : call + ": " + seen);
    return windowCreated;
  }

  std::vector<std::string> calls;
  std::string seen{kStored};
  int windowCreated = 1;
};

using V = std::vector<std::string>;

// The log of one start on stored settings that differ from every default, with the exit code
// when it is not 0. Whatever the mode, the settings are loaded before the switch is examined,
// the mode gets the application's own record, and nothing is ever written back.
V Start(V args, int windowCreated = 1) {
  CFakeProfileStore store;
  store.values = {{"RadiusFactor", 20u}, {"ImagesPerSec", 25u},  {"EndDelay", 5u},
                  {"ObjectShape", 510u}, {"ObjectRotation", 6u}, {"ZoomOption", 578u},
                  {"JoinTheDots", 4u},   {"ColourOption", 30u}};
  CRecordingModes modes;
  modes.windowCreated = windowCreated;
  CSaverApp app(store, modes);
  const int exitCode = app.Run(std::vector<std::string_view>(args.begin(), args.end()));
  EXPECT_EQ(Describe(app.Settings()), modes.seen);
  EXPECT_TRUE(store.writes.empty());
  if (exitCode != 0) {
    modes.calls.push_back("exit " + std::to_string(exitCode));
  }
  return modes.calls;
}

struct Case {
  V args;
  V log;
  int windowCreated = 1;
};

// Host options: numbers replace the stored value; repeated words add up within their group,
// and the groups that no switch names (the zoom's start below) keep what was stored. A bad
// value says what the switch takes and ends with 2; a word that cannot be used says so and
// ends as any unknown switch does.
TEST(SaverAppTest, StartsTheModeOfTheCommandLineWithItsSettings) {
  const std::string usage = "out " + std::string(UsageText());
  const std::string root = "hosted - root: ";
  for (const Case& c :
       {Case{{}, {"config"}}, Case{{"/a"}, {}}, Case{{"/p"}, {}}, Case{{"--help"}, {usage}},
        Case{{"--version"}, {"out " + VersionText()}}, Case{{"/s"}, {"fullscreen", "loop"}},
        Case{{"/p", "12"}, {"preview 12", "loop"}}, Case{{"--root"}, {"hosted - root", "loop"}},
        Case{{"/s"}, {"fullscreen"}, 0}, Case{{"/p", "5"}, {"preview 5"}, 0},
        Case{{"--window-id", "bad"},
             {"err spirandel: --window-id takes an X window id, 0x... "
              "hex or decimal, not \"bad\"\n",
              "exit 2"}}}) {
    EXPECT_EQ(Start(c.args, c.windowCreated), c.log) << (c.args.empty() ? "" : c.args[0]);
  }
  for (const Case& c :
       {Case{{"--size", "0", "--root", "--speed", "1000", "--delay", "9"},
             {root + "0% 1ms 9s shape 510 rot 6 zoom 578 join 4 colour 30", "loop"}},
        Case{{"-root", "-size", "500", "-speed", "1", "-delay", "60"},
             {root + "500% 1000ms 60s shape 510 rot 6 zoom 578 join 4 colour 30", "loop"}},
        Case{{"--root", "--shape", "circle", "--shape", "star8", "--rotation", "none", "--join",
              "corners", "--join", "both", "--colour", "low", "--colour", "high"},
             {root + "20% 40ms 5s shape 258 rot 2 zoom 578 join 5 colour 10", "loop"}},
        Case{{"--root", "--zoom", "high", "--zoom", "4-phase", "--zoom", "very-high"},
             {root + "20% 40ms 5s shape 510 rot 6 zoom 664 join 4 colour 30", "loop"}},
        Case{{"--window-id", "9", "--zoom", "none", "--zoom", "start-small"},
             {"hosted 9: 20% 40ms 5s shape 510 rot 6 zoom 320 join 4 colour 30", "loop"}},
        Case{{"--root", "--size", "501"},
             {"err spirandel: --size takes a whole number from 0 to 500, not \"501\"\n", "exit 2"}},
        Case{{"--root", "--speed", "0"},
             {"err spirandel: --speed takes a whole number from 1 to 1000, not \"0\"\n", "exit 2"}},
        Case{{"--root", "--delay"},
             {"err spirandel: --delay takes a whole number from 0 to 60\n", "exit 2"}},
        Case{{"--root", "--join", "Both"},
             {"err spirandel: --join takes one of corners shape both, not \"Both\"\n", "exit 2"}},
        Case{{"--root", "--fast"},
             {"err spirandel: cannot use \"--fast\"; see spirandel --help\n"}},
        Case{{"--size", "8"},
             {"err spirandel: no window to draw in: give --root or --window-id ID\n"}}}) {
    EXPECT_EQ(Start(c.args), c.log) << c.args[1];
  }
  for (const std::string bad : {"", "-1", "+5", " 5", "5 ", "5x", "0x5", "4294967298"}) {
    EXPECT_EQ(Start({"--root", "--size", bad}).back(), "exit 2") << bad;
  }
}

}  // namespace
