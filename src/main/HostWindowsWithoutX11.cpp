// A build without X11 has no X windows to draw in: previews and hosts' windows say so.
#include <cstdio>

#include "main/HostWindows.h"

namespace {

std::unique_ptr<ISaverRun> NoX11(int& exitCode) {
  std::fputs("spirandel: previews and host windows are X windows, and this build has no X11\n",
             stderr);
  exitCode = 1;
  return nullptr;
}

}  // namespace

std::unique_ptr<ISaverRun> OpenPreview(SaverSettings&, std::uint64_t, int& exitCode) {
  return NoX11(exitCode);
}

std::unique_ptr<ISaverRun> OpenHostWindow(SaverSettings&, std::optional<std::uint64_t>,
                                          int& exitCode) {
  return NoX11(exitCode);
}

bool CanOpenX11Display(int&) {
  return true;
}
