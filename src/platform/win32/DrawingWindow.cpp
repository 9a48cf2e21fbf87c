#include "platform/win32/DrawingWindow.h"

#include "platform/win32/GdiSurface.h"
#include "resource.h"

const char* CDrawingWindow::ClassName() {
  return "SpirandelCurveWnd";
}

LRESULT CALLBACK CDrawingWindow::StaticWindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<CDrawingWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->Attach(window);
  }
  auto* self = reinterpret_cast<CDrawingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const LRESULT result = self->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window's last message: detach, end the run if it was the main window, and let the
    // object go if the window owns it (during a failed creation the creator still does).
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->Attach(nullptr);
    if (self->m_mainWindow) {
      PostQuitMessage(0);
    }
    if (self->m_ownedByWindow) {
      delete self;
    }
  }
  return result;
}

HWND CDrawingWindow::Create(std::unique_ptr<CDrawingWindow> window, DWORD exStyle, DWORD style,
                            const RECT& rect, HWND parent) {
  static ATOM atom = 0;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (atom == 0) {
    WNDCLASSA cls{};
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = StaticWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_INVISIBLE));
    cls.hbrBackground = nullptr;  // the engine erases the background itself
    cls.lpszClassName = ClassName();
    atom = RegisterClassA(&cls);
    if (atom == 0) {
      return nullptr;
    }
  }
  HWND handle =
      CreateWindowExA(exStyle, ClassName(), "", style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, nullptr, instance, window.get());
  if (handle == nullptr) {
    return nullptr;  // the unique_ptr deletes the object
  }
  CDrawingWindow* owned = window.release();
  owned->m_ownedByWindow = true;
  return handle;
}

LRESULT CDrawingWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return Engine().OnCreate() == -1 ? -1 : 0;
    case WM_SIZE:
      Engine().OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(Window(), &paint);
      EndPaint(Window(), &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      CGdiSurface surface(reinterpret_cast<HDC>(wParam));
      return Engine().OnEraseBkgnd(surface);
    }
    case WM_TIMER:
      Engine().OnTimer(static_cast<std::uint32_t>(wParam));
      return 0;
    default:
      return DefWindowProcA(Window(), message, wParam, lParam);
  }
}
