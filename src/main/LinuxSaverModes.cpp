#include "main/LinuxRunModes.h"

// The X11 saver windows are not built yet: no window is created, so the program ends quietly.
int CLinuxRunModes::CreatePreviewWindow(SaverSettings&, std::uint64_t) {
  return 0;
}

int CLinuxRunModes::CreateFullScreenWindow(SaverSettings&) {
  return 0;
}

int CLinuxRunModes::RunMessageLoop() {
  return 0;
}
