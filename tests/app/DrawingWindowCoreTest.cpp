#include "app/DrawingWindowCore.h"

#include <gtest/gtest.h>

#include "FakeProfileStore.h"
#include "FakeSaverWndHost.h"

namespace {

// A display window as the platforms build one: contexts and timers from the core, and what
// each released context changed kept as "presented".
class CCoreWindow : public CFakeSaverWndHost {
 public:
  CCoreWindow(SaverSettings& settings, int width, int height)
      : core(settings, *this, true, width, height) {}
  IDrawingSurface& GetDC() override { return core.GetDC(); }
  void ReleaseDC(IDrawingSurface&) override {
    CDrawingWindowCore::SChange change;
    if (core.TakeChange(change)) {
      presented.push_back(change);
    }
  }
  int ClientWidth() const override { return core.Width(); }
  int ClientHeight() const override { return core.Height(); }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t ms) override {
    return core.SetTimer(id, ms);
  }
  void KillTimer(std::uint32_t id) override { core.KillTimer(id); }

  CDrawingWindowCore core;
  std::vector<CDrawingWindowCore::SChange> presented;
};

TEST(DrawingWindowCoreTest, TicksPresentPixelsAndAnEraseOnlyFillsWithinTheChange) {
  CFakeProfileStore store;
  SaverSettings settings(&store);
  CCoreWindow window(settings, 320, 200);
  ASSERT_TRUE(window.core.StartEngine());
  for (int tick = 0; tick < 5; ++tick) {
    window.core.DeliverTimer(1);
  }
  ASSERT_FALSE(window.presented.empty());
  EXPECT_FALSE(window.presented.back().onlyFills);

  window.presented.clear();
  window.core.Erase(0, 0, 320, 200, false);
  ASSERT_EQ(window.presented.size(), 1u);
  const auto& erase = window.presented[0];
  EXPECT_TRUE(erase.onlyFills);
  ASSERT_EQ(erase.fills.size(), 1u);
  // The fill reaches only what was lit, the rest was black already.
  EXPECT_GE(erase.fills[0].left, erase.dirty.left);
  EXPECT_LE(erase.fills[0].right, erase.dirty.right);
  EXPECT_FALSE(erase.fills[0].IsEmpty());

  // A fresh figure keeps the pointer's start, so it is no movement.
  window.core.Saver()->OnMouseMove(7, 9);
  ASSERT_TRUE(window.core.StartAfresh());
  EXPECT_EQ(window.core.Saver()->m_mouseStartX, 7);
  EXPECT_EQ(window.core.Saver()->m_mouseStartY, 9);
}

TEST(DrawingWindowCoreTest, CaptureIsCutToTheCanvasInBlueGreenRedRows) {
  CFakeProfileStore store;
  SaverSettings settings(&store);
  CCoreWindow window(settings, 4, 3);
  std::vector<std::uint8_t> storage;
  CDeviceBitmap bitmap;
  const auto pixel = [](int x, int y) {
    return 0x102030u + static_cast<std::uint32_t>(x + 16 * y);
  };
  ASSERT_EQ(window.core.Capture(10, 2, storage, bitmap, pixel), 1);
  EXPECT_EQ(std::tuple(bitmap.width, bitmap.height, bitmap.stride), std::tuple(4, 2, 16));
  EXPECT_EQ(std::vector<std::uint8_t>(storage.begin() + 16, storage.begin() + 24),
            (std::vector<std::uint8_t>{0x40, 0x20, 0x10, 0, 0x41, 0x20, 0x10, 0}));
  EXPECT_EQ(window.core.Capture(0, 2, storage, bitmap, pixel), 0);
  EXPECT_EQ(bitmap.bits, nullptr);
}

}  // namespace
