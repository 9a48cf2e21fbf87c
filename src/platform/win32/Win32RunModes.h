#pragma once

#include "app/SaverApp.h"

// The Windows platform's modes: the saver windows on plain Win32 and GDI, the settings sheet
// on the common controls' property sheet.
class CWin32RunModes : public IRunModes {
 public:
  void RunConfigSheet(SaverSettings& settings) override;
  int CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) override;
  int CreateFullScreenWindow(SaverSettings& settings) override;
  int RunMessageLoop() override;
};
