#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/SwitchMatch.h"
#include "settings/ProfileStore.h"
#include "settings/SaverSettings.h"

// What a platform offers the start-up: the settings sheet, the two drawing windows and the
// message loop that runs while one of them exists. Each platform implements it once.
class IRunModes {
 public:
  virtual ~IRunModes() = default;

  // Shows the settings sheet modally; writes the settings back only when the user presses OK.
  virtual void RunConfigSheet(SaverSettings& settings) = 0;
  // Each returns nonzero when its window exists and the message loop is to run.
  virtual int CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) = 0;
  virtual int CreateFullScreenWindow(SaverSettings& settings) = 0;
  // Unix screen-saver hosts: draws in the window given (a window id wins), else with
  // rootWindow set in the host's own window or the root window; behaves as the preview.
  // Platforms without such hosts create nothing.
  virtual int CreateHostedWindow(SaverSettings&, std::optional<std::uint64_t> /*window*/,
                                 bool /*rootWindow*/) {
    return 0;
  }
  // Text for the user where the platform has a console: the usage and the version on the
  // standard output, a complaint about the command line on the standard error. Platforms
  // without a console show nothing.
  enum class Stream { kOutput, kErrors };
  virtual void WriteText(std::string_view /*text*/, Stream /*stream*/) {}
  // Runs until the drawing window is gone; returns the process exit code.
  virtual int RunMessageLoop() = 0;
};

// The application: owns the settings record for the life of the process, loads it before
// the command line is examined (so every start creates the settings key) and starts the
// chosen mode.
class CSaverApp {
 public:
  CSaverApp(IProfileStore& store, IRunModes& modes);

  // Nonzero when a drawing window was created and the message loop is to run; 0 when the
  // program is to end at once (configuration done, unknown switch, no window). Settings given
  // by a host's command line override the loaded ones in memory only.
  int InitInstance(std::span<const std::string_view> arguments);

  // InitInstance, then the message loop when it asked for one; the process exit code, 2 when
  // a host's command line gave a bad value.
  int Run(std::span<const std::string_view> arguments);

  SaverSettings& Settings() { return m_settings; }

 private:
  IRunModes& m_modes;
  SaverSettings m_settings;
  int m_exitCode = 0;
};
