#pragma once

#include <gtest/gtest.h>

#include "FakeCurveHost.h"
#include "app/SaverSettings.h"
#include "engine/CurveWnd.h"

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

  SaverSettings settings;
  CFakeCurveHost host;
  CCurveWnd wnd{settings, host, 0};
  CRandomNumbers reference;
};
