#pragma once

#include "app/SaverApp.h"

// The Linux platform's modes: the saver windows on X11 and the settings sheet on Qt.
class CLinuxRunModes : public IRunModes {
 public:
  CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

  void RunConfigSheet(SaverSettings& settings) override;
  int CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) override;
  int CreateFullScreenWindow(SaverSettings& settings) override;
  int RunMessageLoop() override;

 private:
  // The toolkit of the settings sheet wants the raw command line.
  int m_argc;
  char** m_argv;
};
