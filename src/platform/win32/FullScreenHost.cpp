#include "platform/win32/FullScreenHost.h"

#include "platform/win32/ScreenCapture.h"
#include "resource.h"

void CFullScreenHost::PostClose() {
  // Requests after the window is gone have no effect.
  if (Window() != nullptr) {
    PostMessageA(Window(), WM_CLOSE, 0, 0);
  }
}

void CFullScreenHost::ShowWaitCursor() {
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void CFullScreenHost::ShowInvisibleCursor() {
  SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_INVISIBLE)));
}

int CFullScreenHost::CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                                       CDeviceBitmap& bitmap) {
  HDC dc = ::GetDC(Window());
  if (dc == nullptr) {
    bitmap = CDeviceBitmap{};
    return 0;
  }
  const int captured = CaptureDeviceContext(dc, width, height, storage, bitmap);
  ::ReleaseDC(Window(), dc);
  return captured;
}
