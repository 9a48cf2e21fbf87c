#include "main/HostWindows.h"
#include "platform/x11/X11Session.h"

std::unique_ptr<ISaverRun> OpenPreview(SaverSettings& settings, std::uint64_t hostWindow,
                                       int& exitCode) {
  auto session = CX11Session::Open(exitCode);
  if (!session || session->CreateChild(settings, hostWindow) == 0) {
    return nullptr;
  }
  return std::make_unique<CSaverRun<CX11Session>>(std::move(session));
}

std::unique_ptr<ISaverRun> OpenHostWindow(SaverSettings& settings,
                                          std::optional<std::uint64_t> window, int& exitCode) {
  auto session = CX11Session::Open(exitCode);
  if (!session || session->Adopt(settings, window) == 0) {
    return nullptr;
  }
  return std::make_unique<CSaverRun<CX11Session>>(std::move(session));
}

bool CanOpenX11Display(int& exitCode) {
  return CX11Session::CanOpen(exitCode);
}
