#pragma once

#include <span>
#include <string_view>

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

// The whole program on the settings in the registry, for the arguments after the program's
// name: what the .scr runs, and what a test runs inside its own process to see the pixels a
// preview draws. Returns the exit code.
int RunSaverProgram(std::span<const std::string_view> arguments);
