#include "platform/unix/DrawingWindowCore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "FakeProfileStore.h"
#include "image/DibFile.h"

namespace {

namespace fs = std::filesystem;

// A display as X11 and Wayland are one to the core: what it was asked to present and which
// cursors it showed; its screen reads back as one colour, or not at all.
class CFakeDisplay : public IDisplayWindow {
 public:
  void PrepareDrawing(CPixelBuffer&) override {}
  void Present(const CRasterCanvas&, const SCanvasChange& change) override {
    presented.push_back(change);
  }
  bool ReadShown(int width, int height, std::vector<std::uint32_t>& pixels) override {
    pixels.assign(static_cast<std::size_t>(width) * height, shownPixel);
    return readable;
  }
  void ShowCursor(DisplayCursor cursor) override { cursors.push_back(cursor); }

  std::vector<SCanvasChange> presented;
  std::vector<DisplayCursor> cursors;
  bool readable = false;
  std::uint32_t shownPixel = 0x123456;
};

// Raw facts as a display reports them.
using Event = std::function<void(CDrawingWindowCore&)>;
Event Key(std::uint32_t code, SKeyModifiers modifiers = {}, bool down = true) {
  return [=](CDrawingWindowCore& core) { core.AddKey(code, down, modifiers); };
}
Event Button(unsigned number, bool down = true) {
  return [=](CDrawingWindowCore& core) { core.AddButton(number, down); };
}
Event Enter(std::uintptr_t surface, std::int32_t at) {
  return [=](CDrawingWindowCore& core) { core.AddPointerEnter(surface, at, at); };
}
Event Motion(std::int32_t x, std::int32_t y) {
  return [=](CDrawingWindowCore& core) { core.AddPointerMotion(x, y); };
}

enum class Outcome { kNothing, kClose, kShot, kPause };

class DrawingWindowCoreTest : public testing::Test {
 protected:
  DrawingWindowCoreTest() : settings(&store) {
    settings.m_pausingActive = 1;
    settings.m_pausingKey = "P";
    settings.m_printingActive = 1;
    settings.m_printingKey = "S";
    settings.m_fileLocation = folder.string();
    fs::create_directories(folder);
  }
  ~DrawingWindowCoreTest() override { fs::remove_all(folder); }

  CFakeProfileStore store;
  SaverSettings settings;
  CFakeDisplay display;
  fs::path folder = fs::temp_directory_path() / ("spirandel-core-" + std::to_string(getpid()));
};

TEST_F(DrawingWindowCoreTest, InputMeansTheSameBeforeAndAfterTheFigureStartsAndNothingInAPreview) {
  constexpr SKeyModifiers kAlt{true, false};
  constexpr SKeyModifiers kAltGr{true, true};
  struct Case {
    const char* what;
    std::vector<Event> events;
    Outcome outcome;
  };
  const Case cases[] = {
      {"left button", {Button(1)}, Outcome::kClose},
      {"middle button", {Button(2)}, Outcome::kClose},
      {"right button", {Button(3)}, Outcome::kClose},
      {"wheel", {Button(4), Button(5), Button(6), Button(7)}, Outcome::kNothing},
      {"side buttons", {Button(8), Button(9)}, Outcome::kNothing},
      {"no button", {Button(0)}, Outcome::kNothing},
      {"a button let go", {Button(1, false)}, Outcome::kNothing},
      {"any key", {Key('A')}, Outcome::kClose},
      {"a key held at the start, let go", {Key('A', {}, false)}, Outcome::kNothing},
      {"pause key", {Key('P')}, Outcome::kPause},
      {"screenshot key", {Key('S')}, Outcome::kShot},
      {"screenshot key with AltGr", {Key('S', kAltGr)}, Outcome::kShot},
      {"screenshot key with Alt", {Key('S', kAlt)}, Outcome::kClose},
      {"F10", {Key(0x79)}, Outcome::kClose},
      {"first motion", {Motion(5, 5)}, Outcome::kNothing},
      {"motion to where it appeared", {Enter(1, 10), Motion(10, 10)}, Outcome::kNothing},
      {"one pixel away", {Enter(1, 10), Motion(11, 10)}, Outcome::kClose},
      {"the second motion away", {Motion(5, 5), Motion(5, 6)}, Outcome::kClose},
      // Left of the window, on another monitor: only (-1, -1) is the mark of no start.
      {"from a start left of the window", {Motion(-1, 5), Motion(-1, 6)}, Outcome::kClose},
      {"appearing again elsewhere",
       {Enter(1, 10), Enter(1, 20), Motion(20, 20)},
       Outcome::kNothing},
      {"onto another output", {Enter(1, 10), Enter(2, 10)}, Outcome::kClose},
      {"focus lost", {[](CDrawingWindowCore& core) { core.AddFocusLost(); }}, Outcome::kClose},
  };
  enum { kPreview, kBeforeTheStart, kStarted };
  for (const int state : {kPreview, kBeforeTheStart, kStarted}) {
    for (const Case& c : cases) {
      CDrawingWindowCore core(settings, display, state != kPreview);
      if (state != kBeforeTheStart) {
        ASSERT_TRUE(core.Start(64, 48));
      }
      display.cursors.clear();
      for (const Event& event : c.events) {
        event(core);
      }
      const Outcome seen = core.CloseRequested()      ? Outcome::kClose
                           : core.Paused()            ? Outcome::kPause
                           : !display.cursors.empty() ? Outcome::kShot
                                                      : Outcome::kNothing;
      // A preview leaves input to its host.
      EXPECT_EQ(seen, state == kPreview ? Outcome::kNothing : c.outcome) << c.what << ", " << state;
    }
  }
}

TEST_F(DrawingWindowCoreTest, TicksPresentPixelsPauseHoldsThemAndAnEraseOnlyFills) {
  CDrawingWindowCore core(settings, display, true);
  ASSERT_TRUE(core.Start(320, 200));
  const auto tick = [&] {
    display.presented.clear();
    core.DeliverTimer(1);
    return display.presented.size();
  };
  ASSERT_EQ(tick(), 1u);
  EXPECT_FALSE(display.presented[0].onlyFills);
  core.AddKey('P', true, {});
  EXPECT_EQ(tick(), 0u);
  core.AddKey('P', true, {});
  EXPECT_EQ(tick(), 1u);

  display.presented.clear();
  core.Erase({0, 0, 320, 200}, false);
  ASSERT_EQ(display.presented.size(), 1u);
  const SCanvasChange& erase = display.presented[0];
  EXPECT_TRUE(erase.onlyFills);
  ASSERT_EQ(erase.fills.size(), 1u);
  // The fill reaches only what was lit, the rest was black already.
  EXPECT_EQ(erase.fills[0].left, erase.dirty.left);
  EXPECT_EQ(erase.fills[0].right, erase.dirty.right);
  EXPECT_LT(erase.dirty.right - erase.dirty.left, 320);
  // Where the screen is black already, only the canvas is erased.
  core.DeliverTimer(1);
  display.presented.clear();
  core.Erase({0, 0, 320, 200}, true);
  EXPECT_TRUE(display.presented.empty());
}

TEST_F(DrawingWindowCoreTest, AFreshFigureKeepsThePointerStartAndARepaintSendsPixels) {
  CDrawingWindowCore core(settings, display, true);
  core.AddPointerEnter(0, 7, 9);
  core.Reset();  // before the start: nothing to reset
  EXPECT_FALSE(core.Started());
  ASSERT_TRUE(core.Start(40, 30));
  core.Reset();
  core.AddPointerMotion(7, 9);
  EXPECT_FALSE(core.CloseRequested());

  display.presented.clear();
  core.Resize(50, 30);
  core.Repaint();
  ASSERT_EQ(display.presented.size(), 1u);
  EXPECT_FALSE(display.presented[0].onlyFills);
  EXPECT_EQ(display.presented[0].dirty.right, 50);
  core.Stop();
  core.DeliverTimer(1);
  EXPECT_FALSE(core.Started());
}

TEST_F(DrawingWindowCoreTest, ScreenshotsReadTheScreenElseTheCanvas) {
  // The drawing area is the client less its one-pixel frame; before the compositor gave the
  // figure a size there is nothing to capture, and the number still advances.
  struct Case {
    int width, height;
    bool readable;
    int shotWidth, shotHeight;
    std::uint32_t colour;
  };
  const Case cases[] = {{12, 10, true, 10, 8, 0x123456},
                        {12, 10, false, 10, 8, 0},
                        {3, 3, true, 1, 1, 0x123456},
                        {0, 0, true, 0, 0, 0}};
  int number = 0;
  for (const Case& c : cases) {
    display.readable = c.readable;
    CDrawingWindowCore core(settings, display, true);
    if (c.width > 0) {
      ASSERT_TRUE(core.Start(c.width, c.height));
    }
    core.AddKey('S', true, {});
    EXPECT_EQ(settings.m_sequenceNo, ++number);
    EXPECT_EQ(display.cursors,
              (std::vector<DisplayCursor>{DisplayCursor::kWait, DisplayCursor::kInvisible}));
    display.cursors.clear();
    const fs::path file = folder / ("Spirandel 0000" + std::to_string(number) + ".bmp");
    CDibFile shot;
    if (c.shotWidth == 0) {
      EXPECT_FALSE(fs::exists(file));
      continue;
    }
    ASSERT_NE(shot.Load(file.string()), 0) << file;
    EXPECT_EQ(std::pair(shot.Width(), shot.Height()), std::pair(c.shotWidth, c.shotHeight));
    std::uint8_t red = 0, green = 0, blue = 0;
    shot.GetPixelRGB(0, 0, red, green, blue);
    EXPECT_EQ(static_cast<std::uint32_t>((red << 16) | (green << 8) | blue), c.colour) << file;
  }
}

}  // namespace
