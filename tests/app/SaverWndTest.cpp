#include "app/SaverWnd.h"

#include "app/Screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "FakeProfileStore.h"
#include "FakeSaverWndHost.h"

namespace {

namespace fs = std::filesystem;

class SaverWndTest : public testing::Test {
 protected:
  SaverWndTest() : settings(&store), input(settings), wnd(settings, host, input) {
    wnd.OnCreate();
    wnd.OnSize(640, 480);
    fs::create_directories(folder);
    settings.m_pausingActive = 1;
    settings.m_pausingKey = "P";
  }
  ~SaverWndTest() override { fs::remove_all(folder); }

  long Closes() const { return std::ranges::count(host.calls, std::string("close")); }

  CFakeProfileStore store;
  SaverSettings settings;
  CFakeSaverWndHost host;
  CSaverInput input;
  CSaverWnd wnd;
  fs::path folder = fs::temp_directory_path() / ("spirandel-saverwnd-" + std::to_string(getpid()));
};

TEST_F(SaverWndTest, MovesButtonsSystemKeysAndLostActivationClose) {
  // How far a move must go is the input rules' own (the drawing window core's table); here only
  // that the window carries a move out.
  wnd.OnMouseMove(320, 240);
  wnd.OnMouseMove(320, 241);
  EXPECT_EQ(Closes(), 1);
  wnd.OnButtonDown();
  // A system key never acts as a hotkey, even the pause key with Alt.
  wnd.OnSysKeyDown('P');
  EXPECT_EQ(Closes(), 3);
  EXPECT_FALSE(input.m_paused);
  wnd.OnActivate(1);
  wnd.OnActivateApp(1);
  EXPECT_EQ(Closes(), 3);
  wnd.OnActivate(0);
  wnd.OnActivateApp(0);
  EXPECT_EQ(Closes(), 5);
  EXPECT_EQ(
      std::tuple(wnd.OnSysCommand(CSaverWnd::kScScreenSave), wnd.OnSysCommand(CSaverWnd::kScClose),
                 wnd.OnSysCommand(0xF020), wnd.OnSysCommand(CSaverWnd::kScClose | 1),
                 wnd.OnNcActivate(0), wnd.OnNcActivate(1)),
      std::tuple(0, 0, 1, 1, 0, 1));  // minimise (0xF020) has default processing
}

TEST_F(SaverWndTest, KeysTakeShotsPauseOrCloseByAnExactOneCharacterMatch) {
  // Screenshot hotkey active and its key, pause hotkey active and its key, the key pressed.
  using Case = std::tuple<int, const char*, int, const char*, std::uint32_t, const char*>;
  settings.m_fileLocation = folder.string();
  for (const auto& [printingActive, printingKey, pausingActive, pausingKey, key, outcome] : {
           Case{0, "", 0, "", 'P', "close"}, Case{0, "", 0, "P", 'P', "close"},
           Case{1, "S", 0, "", 'S', "shot"}, Case{0, "S", 0, "", 'S', "close"},
           Case{1, "P", 1, "P", 'P', "shot"}, Case{1, "", 1, "", 0, "close"},
           // Letter codes are upper case, so a lower-case string never matches.
           Case{1, "s", 1, "p", 'P', "close"}, Case{1, "SS", 1, "PP", 'S', "close"},
           Case{0, "", 1, "5", '5', "pause"},
           Case{0, "", 1, "5", 0x65, "close"},  // the keypad's 5 is the character 'e'
           Case{1, "S", 0, "", 0x153, "shot"},  // only the low byte of the code counts
       }) {
    std::tie(settings.m_printingActive, settings.m_printingKey, settings.m_pausingActive,
             settings.m_pausingKey) =
        std::tuple(printingActive, printingKey, pausingActive, pausingKey);
    input.m_paused = false;
    host.calls.clear();
    wnd.OnKeyDown(key);
    // A shot captures the drawing area, the client less its frame, between the two cursors.
    const std::vector<std::string> shot{"wait cursor", "capture 638x478", "invisible cursor"};
    const std::string seen = input.m_paused       ? "pause"
                             : host.calls.empty() ? "nothing"
                             : host.calls == shot ? "shot"
                                                  : host.calls[0];
    EXPECT_EQ(seen, outcome) << printingKey << "/" << pausingKey << " " << key;
  }
}

TEST_F(SaverWndTest, PauseHoldsEveryTickUntilThePauseKeyAgain) {
  wnd.OnTimer(1);
  const std::int32_t step = wnd.m_stepIndex;
  wnd.OnKeyDown('P');
  // The delay timer's tick too: a completion delay ends only at its first tick after the pause.
  for (const std::uint32_t id : {1u, 2u, 1u}) {
    wnd.OnTimer(id);
  }
  EXPECT_EQ(wnd.m_stepIndex, step);
  wnd.OnKeyDown('P');
  wnd.OnTimer(1);
  EXPECT_EQ(std::pair(input.m_paused, wnd.m_stepIndex), std::pair(false, step + 1));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(SaverWndTest, UnwritableShotLeavesNoFileButStoresTheCounter) {
  // A missing folder, a path too long, a failed capture, a directory where the file goes.
  const std::string missing = (folder / "missing").string();
  const std::string tooLong = folder.string() + "/" + std::string(250, 'd');
  for (const auto& [location, failCapture, blocked] :
       {std::tuple{missing, false, false}, std::tuple{tooLong, false, false},
        std::tuple{folder.string(), true, false}, std::tuple{folder.string(), false, true}}) {
    host.failCapture = failCapture;
    settings.m_fileLocation = location;
    settings.m_sequenceNo = 5;
    if (blocked) {
      fs::create_directory(folder / "Spirandel 00006.bmp");
    }
    TakeScreenshot(settings, host, wnd.m_drawWidth, wnd.m_drawHeight);
    EXPECT_EQ(settings.m_sequenceNo, 6) << location;
    EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 6u) << location;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}),
              blocked ? 1 : 0)
        << location;
    EXPECT_EQ(fs::is_directory(folder / "Spirandel 00006.bmp"), blocked) << location;
    store.values.clear();
  }
}

}  // namespace
