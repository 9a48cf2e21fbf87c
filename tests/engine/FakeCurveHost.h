#pragma once

#include <cstdint>
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
  void SelectPen(ColourRef colour) override {
    calls.push_back({CDrawCall::kSelectPen, {static_cast<int>(colour)}});
  }
  void RestorePen() override { calls.push_back({CDrawCall::kRestorePen}); }
  void MoveTo(int x, int y) override { calls.push_back(MoveCall(x, y)); }
  void LineTo(int x, int y) override { calls.push_back(LineCall(x, y)); }
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override {
    calls.push_back({CDrawCall::kArc, {left, top, right, bottom, xStart, yStart, xEnd, yEnd}});
  }
  void FillRectBlack(int left, int top, int right, int bottom) override {
    calls.push_back({CDrawCall::kFill, {left, top, right, bottom}});
  }

  // The calls without the pen bookkeeping: what actually lands on screen.
  std::vector<CDrawCall> Strokes() const {
    std::vector<CDrawCall> strokes;
    for (const auto& call : calls) {
      if (call.kind != CDrawCall::kSelectPen && call.kind != CDrawCall::kRestorePen) {
        strokes.push_back(call);
      }
    }
    return strokes;
  }

  std::vector<CDrawCall> calls;
};

// A window host whose timers are only remembered: tests deliver the ticks themselves.
class CFakeCurveHost : public ICurveWndHost {
 public:
  IDrawingSurface& GetDC() override {
    ++contextsOut;
    return surface;
  }
  void ReleaseDC(IDrawingSurface&) override { --contextsOut; }
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    timerLog.push_back("set " + std::to_string(id) + " " + std::to_string(periodMs));
    if (failTimers) {
      return 0;
    }
    timers[id] = periodMs;
    return id;
  }
  void KillTimer(std::uint32_t id) override {
    timerLog.push_back("kill " + std::to_string(id));
    timers.erase(id);
  }
  std::uint32_t TimeSeconds() override { return seed; }

  CRecordingSurface surface;
  int width = 640;
  int height = 480;
  std::uint32_t seed = 7;
  bool failTimers = false;
  int contextsOut = 0;
  std::map<std::uint32_t, std::uint32_t> timers;
  std::vector<std::string> timerLog;
};
