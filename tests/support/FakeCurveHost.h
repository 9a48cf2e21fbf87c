#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/CurveWndHost.h"

// One drawing call as the engine made it.
struct CDrawCall {
  enum Kind { kSelectPen, kRestorePen, kMoveTo, kLineTo, kArc, kFill } kind;
  int v[8] = {};
  bool operator==(const CDrawCall&) const = default;
};
inline CDrawCall MoveCall(int x, int y) {
  return {CDrawCall::kMoveTo, {x, y}};
}
inline CDrawCall LineCall(int x, int y) {
  return {CDrawCall::kLineTo, {x, y}};
}

// Remembers every call, so that tests compare what a tick drew with what it should draw.
class CRecordingSurface : public IDrawingSurface {
 public:
  void SelectPen(ColourRef c) override { calls.push_back({CDrawCall::kSelectPen, {int(c)}}); }
  void RestorePen() override { calls.push_back({CDrawCall::kRestorePen}); }
  void MoveTo(int x, int y) override { calls.push_back(MoveCall(x, y)); }
  void LineTo(int x, int y) override { calls.push_back(LineCall(x, y)); }
  void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override {
    calls.push_back({CDrawCall::kArc, {l, t, r, b, x1, y1, x2, y2}});
  }
  void FillRectBlack(int l, int t, int r, int b) override {
    calls.push_back({CDrawCall::kFill, {l, t, r, b}});
  }
  int Count(CDrawCall::Kind kind) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [kind](const CDrawCall& c) { return c.kind == kind; }));
  }
  // The calls without the pen bookkeeping: what actually lands on screen.
  std::vector<CDrawCall> Strokes() const {
    std::vector<CDrawCall> strokes;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(strokes), [](const CDrawCall& c) {
      return c.kind != CDrawCall::kSelectPen && c.kind != CDrawCall::kRestorePen;
    });
    return strokes;
  }
  std::vector<CDrawCall> calls;
};

// A window host whose timers are only remembered: tests deliver the ticks themselves.
class CFakeCurveHost : public ICurveWndHost {
 public:
  IDrawingSurface& GetDC() override { return ++contextsOut, surface; }
  void ReleaseDC(IDrawingSurface&) override { --contextsOut; }
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    timerLog.push_back("set " + std::to_string(id) + " " + std::to_string(periodMs));
    return failTimers ? 0 : (timers[id] = periodMs, id);
  }
  void KillTimer(std::uint32_t id) override {
    timerLog.push_back("kill " + std::to_string(id));
    timers.erase(id);
  }
  std::uint32_t TimeSeconds() override { return seed; }

  CRecordingSurface surface;
  int width = 640, height = 480, contextsOut = 0;
  std::uint32_t seed = 7;
  bool failTimers = false;
  std::map<std::uint32_t, std::uint32_t> timers;
  std::vector<std::string> timerLog;
};

// Takes every call and draws nothing, where the drawing is not what is looked at.
class CNullSurface : public IDrawingSurface {
 public:
  void SelectPen(ColourRef) override {}
  void RestorePen() override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Arc(int, int, int, int, int, int, int, int) override {}
  void FillRectBlack(int, int, int, int) override {}
};
