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
  static std::string Call(std::string text, std::initializer_list<std::int64_t> values) {
    char separator = ' ';
    for (const std::int64_t v : values) {
      text += separator + std::to_string(v);
      separator = ',';
    }
    return text;
  }
  void SelectPen(ColourRef c) override { calls.push_back(Call("pen", {c})); }
  void RestorePen() override { calls.push_back("restore"); }
  void MoveTo(int x, int y) override { calls.push_back(Call("move", {x, y})); }
  void LineTo(int x, int y) override { calls.push_back(Call("line", {x, y})); }
  void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override {
    calls.push_back(Call("arc", {l, t, r, b, x1, y1, x2, y2}));
  }
  void FillRectBlack(int l, int t, int r, int b) override {
    calls.push_back(Call("fill", {l, t, r, b}));
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
