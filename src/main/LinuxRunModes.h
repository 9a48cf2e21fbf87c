#pragma once

#include <memory>

#include "app/SaverApp.h"
#include "main/DisplaySystems.h"

// The Linux platform's modes: the saver windows on Wayland or X11 and the settings sheet on Qt.
class CLinuxRunModes : public IRunModes {
 public:
  CLinuxRunModes(int argc, char** argv);
  ~CLinuxRunModes() override;

  void RunConfigSheet(SaverSettings& settings) override;
  int CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) override;
  int CreateFullScreenWindow(SaverSettings& settings) override;
  int CreateHostedWindow(SaverSettings& settings, std::optional<std::uint64_t> window,
                         bool rootWindow) override;
  void WriteText(std::string_view text, Stream stream) override;
  int RunMessageLoop() override;

  // The exit code when no message loop ran: 1 when the display could not be opened.
  int ExitCode() const { return m_exitCode; }

 private:
  // X windows (previews, host windows) need an X display; one line says why there is none.
  bool HasX11Display();

  // The toolkit of the settings sheet wants the raw command line.
  int m_argc;
  char** m_argv;
  std::unique_ptr<ISaverRun> m_run;
  int m_exitCode = 0;
};
