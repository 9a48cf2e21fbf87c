#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "app/SaverWndHost.h"

// Draws nowhere; the engine's drawing is not what these tests look at.
class CNullSurface : public IDrawingSurface {
 public:
  void SelectPen(ColourRef) override {}
  void RestorePen() override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Arc(int, int, int, int, int, int, int, int) override {}
  void FillRectBlack(int, int, int, int) override {}
};

// Records what the saver window asks of its platform, in order, and captures a picture of
// a known pattern.
class CFakeSaverWndHost : public ISaverWndHost {
 public:
  IDrawingSurface& GetDC() override { return surface; }
  void ReleaseDC(IDrawingSurface&) override {}
  int ClientWidth() const override { return 640; }
  int ClientHeight() const override { return 480; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t) override { return id; }
  void KillTimer(std::uint32_t) override {}
  std::uint32_t TimeSeconds() override { return 1; }

  void PostClose() override { calls.push_back("close"); }
  void ShowWaitCursor() override { calls.push_back("wait cursor"); }
  void ShowInvisibleCursor() override { calls.push_back("invisible cursor"); }
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override {
    calls.push_back("capture " + std::to_string(width) + "x" + std::to_string(height));
    if (failCapture || width < 1 || height < 1) {
      bitmap = CDeviceBitmap{};
      return 0;
    }
    storage.assign(static_cast<std::size_t>(width) * height * 4, 0);
    for (std::size_t i = 0; i < storage.size(); ++i) {
      storage[i] = static_cast<std::uint8_t>(i * 7);
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = 32;
    bitmap.stride = width * 4;
    bitmap.bits = storage.data();
    return 1;
  }
  char PathSeparator() const override { return '/'; }

  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) {
      n += c == call ? 1 : 0;
    }
    return n;
  }

  CNullSurface surface;
  std::vector<std::string> calls;
  bool failCapture = false;
};
