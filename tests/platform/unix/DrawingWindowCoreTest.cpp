#include "platform/unix/DrawingWindowCore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "FakeProfileStore.h"
#include "image/DibFile.h"

namespace {

namespace fs = std::filesystem;

// A display as X11 and Wayland are one to the core: what it was asked to present and which
// cursors it showed; its screen reads back as one colour, or not at all.
class CFakeDisplay : public IDisplayWindow {
 public:
  void PrepareDrawing(CPixelBuffer&) override { ++prepared; }
  void Present(const CRasterCanvas&, const SCanvasChange& change) override {
    presented.push_back(change);
  }
  bool ReadShown(int width, int height, std::vector<std::uint32_t>& pixels) override {
    pixels.assign(static_cast<std::size_t>(width) * height, shownPixel);
    return readable;
  }
  void ShowCursor(DisplayCursor cursor) override { cursors.push_back(cursor); }

  int prepared = 0;
  std::vector<SCanvasChange> presented;
  std::vector<DisplayCursor> cursors;
  bool readable = false;
  std::uint32_t shownPixel = 0x123456;
};

struct SEvent {
  enum Kind { kEnter, kMotion, kButton, kButtonUp, kKey, kKeyUp, kFocusLost } kind;
  int a = 0;
  int b = 0;
  SKeyModifiers modifiers{};
};

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

  static void Send(CDrawingWindowCore& core, const SEvent& event) {
    switch (event.kind) {
      case SEvent::kEnter:
        core.AddPointerEnter(static_cast<std::uintptr_t>(event.a), event.b, event.b);
        break;
      case SEvent::kMotion:
        core.AddPointerMotion(event.a, event.b);
        break;
      case SEvent::kButton:
      case SEvent::kButtonUp:
        core.AddButton(static_cast<unsigned>(event.a), event.kind == SEvent::kButton);
        break;
      case SEvent::kKey:
      case SEvent::kKeyUp:
        core.AddKey(static_cast<std::uint32_t>(event.a), event.kind == SEvent::kKey,
                    event.modifiers);
        break;
      case SEvent::kFocusLost:
        core.AddFocusLost();
        break;
    }
  }

  CFakeProfileStore store;
  SaverSettings settings;
  CFakeDisplay display;
  fs::path folder = fs::temp_directory_path() / ("spirandel-core-" + std::to_string(getpid()));
};

TEST_F(DrawingWindowCoreTest, InputMeansTheSameBeforeAndAfterTheFigureStarts) {
  using enum SEvent::Kind;
  constexpr SKeyModifiers kAlt{true, false};
  constexpr SKeyModifiers kAltGr{true, true};
  struct Case {
    const char* what;
    std::vector<SEvent> events;
    Outcome outcome;
  };
  const Case cases[] = {
      {"left button", {{kButton, 1}}, Outcome::kClose},
      {"middle button", {{kButton, 2}}, Outcome::kClose},
      {"right button", {{kButton, 3}}, Outcome::kClose},
      {"wheel", {{kButton, 4}, {kButton, 5}, {kButton, 6}, {kButton, 7}}, Outcome::kNothing},
      {"side buttons", {{kButton, 8}, {kButton, 9}}, Outcome::kNothing},
      {"no button", {{kButton, 0}}, Outcome::kNothing},
      {"a button let go", {{kButtonUp, 1}}, Outcome::kNothing},
      {"any key", {{kKey, 'A'}}, Outcome::kClose},
      {"a key held at the start, let go", {{kKeyUp, 'A'}}, Outcome::kNothing},
      {"pause key", {{kKey, 'P'}}, Outcome::kPause},
      {"screenshot key", {{kKey, 'S'}}, Outcome::kShot},
      {"screenshot key with AltGr", {{kKey, 'S', 0, kAltGr}}, Outcome::kShot},
      {"screenshot key with Alt", {{kKey, 'S', 0, kAlt}}, Outcome::kClose},
      {"F10", {{kKey, 0x79}}, Outcome::kClose},
      {"first motion", {{kMotion, 5, 5}}, Outcome::kNothing},
      {"motion to where it started", {{kEnter, 1, 10}, {kMotion, 10, 10}}, Outcome::kNothing},
      {"one pixel away", {{kEnter, 1, 10}, {kMotion, 11, 10}}, Outcome::kClose},
      {"the second motion away", {{kMotion, 5, 5}, {kMotion, 5, 6}}, Outcome::kClose},
      {"appearing again elsewhere",
       {{kEnter, 1, 10}, {kEnter, 1, 20}, {kMotion, 20, 20}},
       Outcome::kNothing},
      {"onto another output", {{kEnter, 1, 10}, {kEnter, 2, 10}}, Outcome::kClose},
      {"focus lost", {{kFocusLost}}, Outcome::kClose},
  };
  for (const bool started : {false, true}) {
    for (const Case& c : cases) {
      CDrawingWindowCore core(settings, display, true);
      if (started) {
        ASSERT_TRUE(core.Start(64, 48));
      }
      display.cursors.clear();
      for (const SEvent& event : c.events) {
        Send(core, event);
      }
      const Outcome seen = core.CloseRequested()      ? Outcome::kClose
                           : core.Paused()            ? Outcome::kPause
                           : !display.cursors.empty() ? Outcome::kShot
                                                      : Outcome::kNothing;
      EXPECT_EQ(seen, c.outcome) << c.what << (started ? ", started" : ", before the start");
    }
  }
}

TEST_F(DrawingWindowCoreTest, PreviewsLeaveInputToTheirHost) {
  CDrawingWindowCore core(settings, display, false);
  ASSERT_TRUE(core.Start(64, 48));
  for (const SEvent& event :
       {SEvent{SEvent::kButton, 1}, SEvent{SEvent::kKey, 'S'}, SEvent{SEvent::kEnter, 1, 3},
        SEvent{SEvent::kEnter, 2, 3}, SEvent{SEvent::kFocusLost}}) {
    Send(core, event);
  }
  EXPECT_FALSE(core.CloseRequested());
  EXPECT_TRUE(display.cursors.empty());
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
  EXPECT_EQ(display.prepared, 2);  // the start's erase, the tick
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
