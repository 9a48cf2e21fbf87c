#include "app/SaverWnd.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FakeProfileStore.h"
#include "FakeSaverWndHost.h"
#include "image/DibFile.h"

namespace {

namespace fs = std::filesystem;

class SaverWndTest : public testing::Test {
 protected:
  SaverWndTest() : settings(&store), wnd(settings, host) {
    wnd.OnCreate();
    wnd.OnSize(640, 480);
  }

  void SetUp() override {
    folder = fs::temp_directory_path() / ("spirandel-saverwnd-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  CFakeProfileStore store;
  SaverSettings settings;
  CFakeSaverWndHost host;
  CSaverWnd wnd;
  fs::path folder;
};

TEST_F(SaverWndTest, ConstructedForSelfDeletionWithoutMousePosition) {
  EXPECT_EQ(wnd.m_autoDelete, 1);
  EXPECT_EQ(wnd.m_mouseStartX, -1);
  EXPECT_EQ(wnd.m_mouseStartY, -1);
}

TEST_F(SaverWndTest, FirstMoveRecordsSameKeepsRunningOnePixelCloses) {
  wnd.OnMouseMove(320, 240);
  wnd.OnMouseMove(320, 240);
  EXPECT_EQ(host.Count("close"), 0);
  wnd.OnMouseMove(320, 241);
  EXPECT_EQ(host.Count("close"), 1);
  // A second request is just another request; the platform ignores it once closed.
  wnd.OnMouseMove(0, 0);
  EXPECT_EQ(host.Count("close"), 2);
}

TEST_F(SaverWndTest, ButtonsSystemKeysAndLostActivationClose) {
  settings.m_pausingActive = 1;
  settings.m_pausingKey = "P";
  wnd.OnButtonDown();
  EXPECT_EQ(host.Count("close"), 1);
  // A system key never acts as a hotkey, even the pause key with Alt.
  wnd.OnSysKeyDown('P');
  EXPECT_EQ(host.Count("close"), 2);
  EXPECT_EQ(settings.m_paused, 0);
  wnd.OnActivate(1);
  wnd.OnActivateApp(1);
  EXPECT_EQ(host.Count("close"), 2);
  wnd.OnActivate(0);
  wnd.OnActivateApp(0);
  EXPECT_EQ(host.Count("close"), 4);
}

TEST_F(SaverWndTest, PauseKeyTogglesAndOtherKeysClose) {
  settings.m_pausingActive = 1;
  settings.m_pausingKey = "P";
  wnd.OnKeyDown('P');
  EXPECT_EQ(settings.m_paused, 1);
  EXPECT_TRUE(host.calls.empty());
  wnd.OnKeyDown('P');
  EXPECT_EQ(settings.m_paused, 0);
  settings.m_paused = 7;  // anything but 0 toggles to 0
  wnd.OnKeyDown('P');
  EXPECT_EQ(settings.m_paused, 0);
  wnd.OnKeyDown('Q');
  EXPECT_EQ(host.calls, std::vector<std::string>{"close"});
}

TEST_F(SaverWndTest, PausedWindowIgnoresTicks) {
  settings.m_pausingActive = 1;
  settings.m_pausingKey = "P";
  wnd.OnTimer(1);
  const std::int32_t step = wnd.m_stepIndex;
  wnd.OnKeyDown('P');
  wnd.OnTimer(1);
  wnd.OnTimer(2);
  EXPECT_EQ(wnd.m_stepIndex, step);
  wnd.OnKeyDown('P');
  wnd.OnTimer(1);
  EXPECT_EQ(wnd.m_stepIndex, step + 1);
}

TEST_F(SaverWndTest, SystemCommandsAndFrameActivation) {
  EXPECT_EQ(wnd.OnSysCommand(CSaverWnd::kScScreenSave), 0);
  EXPECT_EQ(wnd.OnSysCommand(CSaverWnd::kScClose), 0);
  EXPECT_EQ(wnd.OnSysCommand(0xF020), 1);  // minimise: default processing
  EXPECT_EQ(wnd.OnSysCommand(CSaverWnd::kScClose | 1), 1);
  EXPECT_EQ(wnd.OnNcActivate(0), 0);
  EXPECT_EQ(wnd.OnNcActivate(1), 1);
}

TEST_F(SaverWndTest, ScreenshotKeyWritesNextNumberedFileBetweenCursors) {
  settings.m_printingActive = 1;
  settings.m_printingKey = "S";
  settings.m_pausingActive = 1;
  settings.m_pausingKey = "S";  // both on one key: screenshots win
  settings.m_fileLocation = folder.string();
  settings.m_sequenceNo = 41;
  wnd.OnKeyDown('S');
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"wait cursor", "capture 638x478", "invisible cursor"}));
  EXPECT_EQ(settings.m_paused, 0);
  EXPECT_EQ(settings.m_sequenceNo, 42);
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 42u);

  CDibFile written;
  ASSERT_NE(written.Load((folder / "Spirandel 00042.bmp").string()), 0);
  EXPECT_EQ(written.Width(), 638);
  EXPECT_EQ(written.Height(), 478);
}

TEST_F(SaverWndTest, CounterWrapsAfterTenThousand) {
  settings.m_fileLocation = folder.string();
  settings.m_sequenceNo = 10000;
  wnd.TakeScreenshot();
  EXPECT_EQ(settings.m_sequenceNo, 0);
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 0u);
  EXPECT_TRUE(fs::exists(folder / "Spirandel 00000.bmp"));
}

TEST_F(SaverWndTest, MissingFolderWritesNothingButStoresTheCounter) {
  settings.m_fileLocation = (folder / "missing").string();
  settings.m_sequenceNo = 5;
  wnd.TakeScreenshot();
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 6u);
  EXPECT_FALSE(fs::exists(folder / "missing"));
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SaverWndTest, TooLongPathIsSkippedAndCounterAdvances) {
  settings.m_fileLocation = folder.string() + "/" + std::string(250, 'd');
  settings.m_sequenceNo = 1;
  wnd.TakeScreenshot();
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 2u);
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SaverWndTest, FailedCaptureLeavesNoFileAndStillCounts) {
  host.failCapture = true;
  settings.m_fileLocation = folder.string();
  wnd.TakeScreenshot();
  EXPECT_EQ(settings.m_sequenceNo, 1);
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 1u);
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SaverWndTest, UnwritableFileLeavesNoPartialFile) {
  // A directory where the file should go: the write fails and nothing is left behind.
  settings.m_fileLocation = folder.string();
  fs::create_directory(folder / "Spirandel 00001.bmp");
  wnd.TakeScreenshot();
  EXPECT_TRUE(fs::is_directory(folder / "Spirandel 00001.bmp"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
  EXPECT_EQ(std::get<std::uint32_t>(store.values.at("SequenceNo")), 1u);
}

}  // namespace
