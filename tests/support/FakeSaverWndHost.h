#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FakeCurveHost.h"
#include "app/SaverWndHost.h"

// Records what the saver window asks of its platform, in order.
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
    if (failCapture) {
      return 0;
    }
    storage.assign(static_cast<std::size_t>(width) * height * 4, 0x5a);
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = 32;
    bitmap.stride = width * 4;
    bitmap.bits = storage.data();
    return 1;
  }
  char PathSeparator() const override { return '/'; }

  CRecordingSurface surface;
  std::vector<std::string> calls;
  bool failCapture = false;
};
