#include "platform/win32/Win32RunModes.h"

#include <memory>

#include "platform/win32/FullScreenWindow.h"
#include "platform/win32/PreviewWindow.h"
#include "platform/win32/PropertySheet.h"
#include "platform/win32/Win32.h"

int CWin32RunModes::CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) {
  // The handle comes from the command line: it must name a window that exists now.
  HWND host = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hostWindow));
  if (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(host)) != hostWindow ||
      !IsWindow(host)) {
    return 0;
  }
  RECT client{};
  if (!GetClientRect(host, &client)) {
    return 0;
  }
  auto window = std::make_unique<CPreviewWindow>(settings);
  CPreviewWindow* preview = window.get();
  HWND created = CDrawingWindow::Create(std::move(window), 0, WS_CHILD | WS_VISIBLE, client, host);
  if (created == nullptr) {
    return 0;
  }
  preview->SetMainWindow(true);
  return 1;
}

int CWin32RunModes::CreateFullScreenWindow(SaverSettings& settings) {
  return CFullScreenWindow::CreateFullScreen(settings);
}

void CWin32RunModes::RunConfigSheet(SaverSettings& settings) {
  CPropertySheetHost host;
  ::RunConfigSheet(settings, host);
}

int CWin32RunModes::RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) {
      return 0;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
