#include <cstdio>
#include <cstdlib>

#include "main/LinuxRunModes.h"
#include "platform/x11/EndingSignals.h"
#include "platform/x11/X11Session.h"

CLinuxRunModes::CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

CLinuxRunModes::~CLinuxRunModes() = default;

namespace {

constexpr const char* kUsage =
    "Usage: spirandel [switch]\n"
    "  /s              run the saver full screen; any key or mouse movement ends it\n"
    "  /p ID           draw a preview inside X window ID (decimal)\n"
    "  /c              show the settings sheet (also without any switch)\n"
    "  --root          draw in the window named by $XSCREENSAVER_WINDOW, else in the root\n"
    "                  window (for XScreenSaver and xsecurelock)\n"
    "  --window-id ID  draw in X window ID (0x... hex or decimal)\n"
    "  --help          show this text\n"
    "Settings: $XDG_CONFIG_HOME/tallowyn/spir_ss/Settings.reg (~/.config when unset)\n";

}  // namespace

void CLinuxRunModes::ShowUsage() {
  std::fputs(kUsage, stdout);
}

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
