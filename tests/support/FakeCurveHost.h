#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/CurveWndHost.h"

// Remembers every drawing call as a line of text ("move 3,4", "arc 1,2,3,4,1,3,1,3", ...), so
// that tests compare what a tick drew with what it should draw and failures read plainly.
class CRecordingSurface : public IDrawingSurface {
 public:
  void SelectPen(ColourRef c) override { Record("pen", c); }
  void RestorePen() override { Record("restore"); }
  void MoveTo(int x, int y) override { Record("move", x, y); }
  void LineTo(int x, int y) override { Record("line", x, y); }
  void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override {
    Record("arc", l, t, r, b, x1, y1, x2, y2);
  }
  void FillRectBlack(int l, int t, int r, int b) override { Record("fill", l, t, r, b); }
  template <class... Values>
  void Record(std::string text, Values... values) {
    [[maybe_unused]] char separator = ' ';
    ((text += separator + std::to_string(values), separator = ','), ...);
    calls.push_back(text);
  }
  std::vector<std::string> calls;
};

// A window host whose timers are only remembered: tests and benchmarks deliver the ticks
// themselves. A failing host still remembers the timers it refuses, so that a stop call the
// engine should have skipped shows. Host is the interface it stands in for.
template <class Surface, class Host = ICurveWndHost>
class CFakeCurveHostOf : public Host {
 public:
  template <class... Args>
  explicit CFakeCurveHostOf(Args&&... args) : surface(std::forward<Args>(args)...) {}
  IDrawingSurface& GetDC() override {
    if constexpr (requires { surface.BeginContext(); }) {
      surface.BeginContext();
    }
    return ++contextsOut, surface;
  }
  void ReleaseDC(IDrawingSurface&) override { --contextsOut; }
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    timers[id] = periodMs;
    return failTimers ? 0 : id;
  }
  void KillTimer(std::uint32_t id) override { timers.erase(id); }
  std::uint32_t TimeSeconds() override { return seed; }

  Surface surface;
  int width = 640, height = 480, contextsOut = 0;
  std::uint32_t seed = 7;
  bool failTimers = false;
  std::map<std::uint32_t, std::uint32_t> timers;
};
using CFakeCurveHost = CFakeCurveHostOf<CRecordingSurface>;
