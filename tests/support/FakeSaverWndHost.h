#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FakeCurveHost.h"
#include "app/SaverWndHost.h"

// Records what the saver window asks of its platform beyond drawing, in order.
class CFakeSaverWndHost : public CFakeCurveHostOf<CRecordingSurface, ISaverWndHost> {
 public:
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
    bitmap = {width, height, 32, width * 4, storage.data(), {}};
    return 1;
  }
  char PathSeparator() const override { return '/'; }

  std::vector<std::string> calls;
  bool failCapture = false;
};
