#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "FakeCurveHost.h"
#include "engine/CurveWnd.h"
#include "settings/OptionBits.h"

// A window over default settings and a fake host, before its creation.
class EngineTest : public ::testing::Test {
 protected:
  // Creates the window at the given client size, as the platform does.
  void Create(int cx = 640, int cy = 480) {
    host.width = cx;
    host.height = cy;
    ASSERT_EQ(wnd.OnCreate(), 0);
    wnd.OnSize(cx, cy);
  }
  void Ticks(int count, std::uint32_t id = CCurveWnd::kDrawTimer) {
    for (int i = 0; i < count; ++i) {
      wnd.OnTimer(id);
    }
  }

  SaverSettings settings;
  CFakeCurveHost host;
  CCurveWnd wnd{settings, host};
};
