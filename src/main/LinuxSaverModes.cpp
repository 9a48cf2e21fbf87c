#include <cstdio>
#include <cstdlib>

#include "main/LinuxRunModes.h"
#include "platform/posix/SignalsAndWait.h"
#include "platform/x11/X11Session.h"

CLinuxRunModes::CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

CLinuxRunModes::~CLinuxRunModes() = default;

int CLinuxRunModes::CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) {
  m_x11 = CX11Session::Open(m_exitCode);
  return m_x11 ? m_x11->CreateChild(settings, hostWindow) : 0;
}

int CLinuxRunModes::CreateFullScreenWindow(SaverSettings& settings) {
  m_x11 = CX11Session::Open(m_exitCode);
  return m_x11 ? m_x11->CreateFullScreen(settings) : 0;
}

int CLinuxRunModes::CreateHostedWindow(SaverSettings& settings, std::optional<std::uint64_t> window,
                                       bool rootWindow) {
  std::optional<std::uint64_t> target = window;
  if (!target && rootWindow) {
    // Hosts name their window in the environment; one that names nothing readable leaves
    // the root window, as without it.
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW")) {
      target = ParseHostWindowId(named);
    }
  } else if (!target) {
    return 0;
  }
  m_x11 = CX11Session::Open(m_exitCode);
  return m_x11 ? m_x11->Adopt(settings, target) : 0;
}

int CLinuxRunModes::RunMessageLoop() {
  const int code = m_x11 ? m_x11->Run() : 0;
  // A host that stops the saver with a signal logs a normal stop only when the process ends
  // by that signal; the windows, the grabs and the focus are given back first.
  m_x11.reset();
  if (const int signal = EndingSignal()) {
    EndBySignal(signal);
  }
  return code;
}
