#include "platform/win32/CoverWindow.h"

#include <windowsx.h>

namespace {

constexpr char kClassName[] = "SpirandelCoverWnd";

HWND Saver(HWND cover) {
  return reinterpret_cast<HWND>(GetWindowLongPtrA(cover, GWLP_USERDATA));
}

}  // namespace

HWND CCoverWindow::Create() {
  static ATOM atom = 0;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (atom == 0) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = kClassName;
    atom = RegisterClassA(&cls);
    if (atom == 0) {
      return nullptr;
    }
  }
  // A tool window stays off the taskbar; no-activate keeps the saver window the active one,
  // which must stay so, since losing activation closes the saver.
  HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                               WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (cover != nullptr) {
    FitToVirtualScreen(cover);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
  }
  return cover;
}

void CCoverWindow::ForwardInputTo(HWND cover, HWND saver) {
  SetWindowLongPtrA(cover, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver));
  // The saver window learns where the pointer starts from the mouse move that comes when it
  // appears under the pointer. On another monitor the pointer is over the cover, whose news came
  // before there was a saver window to pass it on to: it is told again now.
  POINT pointer{};
  if (GetCursorPos(&pointer) && WindowFromPoint(pointer) == cover) {
    ScreenToClient(cover, &pointer);
    PostMessageA(cover, WM_MOUSEMOVE, 0, MAKELPARAM(pointer.x, pointer.y));
  }
}

void CCoverWindow::FitToVirtualScreen(HWND cover) {
  SetWindowPos(cover, nullptr, GetSystemMetrics(SM_XVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE | SWP_NOZORDER);
}

LRESULT CALLBACK CCoverWindow::WindowProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the click itself still arrives, and closes the saver
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      if (Saver(cover) == nullptr) {
        return 0;  // before the saver window exists
      }
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(cover, Saver(cover), &point, 1);
      SendMessageA(Saver(cover), message, wParam, MAKELPARAM(point.x, point.y));
      return 0;
    }
    case WM_DISPLAYCHANGE:
      FitToVirtualScreen(cover);
      return 0;
    default:
      return DefWindowProcA(cover, message, wParam, lParam);
  }
}
