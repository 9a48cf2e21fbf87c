#include <cstdio>

#include "main/LinuxRunModes.h"

// Built only where the X11 libraries are missing: the saver modes end at once, saying why.
class CX11Session {};

CLinuxRunModes::CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

CLinuxRunModes::~CLinuxRunModes() = default;

namespace {
int NoSaverWindows(int& exitCode) {
  std::fputs("spirandel: built without the X11 saver windows\n", stderr);
  exitCode = 1;
  return 0;
}
}  // namespace

void CLinuxRunModes::ShowUsage() {
  std::puts("Usage: spirandel [/s | /p ID | /c]");
}

int CLinuxRunModes::CreatePreviewWindow(SaverSettings&, std::uint64_t) {
  return NoSaverWindows(m_exitCode);
}

int CLinuxRunModes::CreateFullScreenWindow(SaverSettings&) {
  return NoSaverWindows(m_exitCode);
}

int CLinuxRunModes::CreateHostedWindow(SaverSettings&, std::optional<std::uint64_t>, bool) {
  return NoSaverWindows(m_exitCode);
}

int CLinuxRunModes::RunMessageLoop() {
  return 0;
}
