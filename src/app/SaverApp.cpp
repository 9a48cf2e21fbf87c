#include "app/SaverApp.h"

CSaverApp::CSaverApp(IProfileStore& store, IRunModes& modes) : m_modes(modes), m_settings(&store) {}

int CSaverApp::InitInstance(std::span<const std::string_view> arguments) {
  m_settings.LoadSettings();

  const ModeChoice choice = ChooseRunMode(arguments);
  switch (choice.mode) {
    case RunMode::kConfiguration:
      m_modes.RunConfigSheet(m_settings);
      return 0;
    case RunMode::kPreview:
      // A missing handle, or one that names no window, ends the program quietly.
      return choice.hostWindow ? m_modes.CreatePreviewWindow(m_settings, *choice.hostWindow) : 0;
    case RunMode::kFullScreen:
      return m_modes.CreateFullScreenWindow(m_settings);
    case RunMode::kHosted:
      choice.options.ApplyTo(m_settings);
      return m_modes.CreateHostedWindow(m_settings, choice.hostWindow, choice.rootWindow);
    case RunMode::kUsage:
      m_modes.WriteText(UsageText(), IRunModes::Stream::kOutput);
      return 0;
    case RunMode::kVersion:
      m_modes.WriteText(VersionText(), IRunModes::Stream::kOutput);
      return 0;
    case RunMode::kNone:
      if (!choice.complaint.empty()) {
        m_modes.WriteText(choice.complaint + "\n", IRunModes::Stream::kErrors);
      }
      m_exitCode = choice.exitCode;
      break;
  }
  return 0;
}

int CSaverApp::Run(std::span<const std::string_view> arguments) {
  // A window that could not be created leaves nothing to end the loop, so no loop runs.
  return InitInstance(arguments) != 0 ? m_modes.RunMessageLoop() : m_exitCode;
}
