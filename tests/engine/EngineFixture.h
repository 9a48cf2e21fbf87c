#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FakeCurveHost.h"
#include "engine/CurveWnd.h"
#include "settings/SaverSettings.h"

// A window over default settings and a fake host, with its tables built, as the engine
// is after creation but before any random number is drawn.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { wnd.BuildTrigTables(); }
  // Seeds the window's generator and a reference copy that tests advance by hand.
  void Seed(std::uint32_t seed) {
    wnd.m_random.Seed(seed);
    reference.Seed(seed);
  }
  // Creates the window at the given size, as the platform does.
  void Create(int cx = 640, int cy = 480) {
    host.width = cx;
    host.height = cy;
    ASSERT_EQ(wnd.OnCreate(), 0);
    wnd.OnSize(cx, cy);
  }
  void Ticks(int count, std::uint32_t id = 1) {
    for (int i = 0; i < count; ++i) {
      wnd.OnTimer(id);
    }
  }

  SaverSettings settings;
  CFakeCurveHost host;
  CCurveWnd wnd{settings, host, 0};
  CRandomNumbers reference;
};
