#include <cstdio>
#include <cstdlib>

#include "app/DisplayChoice.h"
#include "main/LinuxRunModes.h"
#include "platform/posix/SignalsAndWait.h"
#include "platform/x11/X11Session.h"
#ifdef SPIRANDEL_HAVE_WAYLAND
#include "platform/wayland/WaylandSession.h"
#endif

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

CLinuxRunModes::CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

CLinuxRunModes::~CLinuxRunModes() = default;

bool CLinuxRunModes::OpenX11() {
  if (!IsSet("DISPLAY") && IsSet("WAYLAND_DISPLAY")) {
    std::fputs(
        "spirandel: previews and host windows are X windows, and this Wayland session has "
        "no X display (DISPLAY is not set)\n",
        stderr);
    m_exitCode = 1;
    return false;
  }
  m_x11 = CX11Session::Open(m_exitCode);
  return m_x11 != nullptr;
}

int CLinuxRunModes::CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) {
  return OpenX11() ? m_x11->CreateChild(settings, hostWindow) : 0;
}

int CLinuxRunModes::CreateFullScreenWindow(SaverSettings& settings) {
  const char* forced = std::getenv("SPIRANDEL_DISPLAY");
  const auto systems =
      DisplaySystemsToTry(true, forced != nullptr ? forced : "", IsSet("WAYLAND_DISPLAY"));
  for (const DisplaySystem system : systems) {
    if (system == DisplaySystem::kX11) {
      m_x11 = CX11Session::Open(m_exitCode);
      return m_x11 ? m_x11->CreateFullScreen(settings) : 0;
    }
#ifdef SPIRANDEL_HAVE_WAYLAND
    m_wayland = CWaylandSession::Connect();
    if (m_wayland) {
      if (m_wayland->CreateFullScreen(settings)) {
        return 1;
      }
      m_exitCode = 1;
      return 0;
    }
#endif
    if (system == systems.back()) {
#ifdef SPIRANDEL_HAVE_WAYLAND
      std::fputs("spirandel: no Wayland compositor answers (WAYLAND_DISPLAY)\n", stderr);
#else
      std::fputs("spirandel: this build has no Wayland support\n", stderr);
#endif
      m_exitCode = 1;
      return 0;
    }
  }
  return 0;
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
  return OpenX11() ? m_x11->Adopt(settings, target) : 0;
}

int CLinuxRunModes::RunMessageLoop() {
  int code = m_x11 ? m_x11->Run() : 0;
#ifdef SPIRANDEL_HAVE_WAYLAND
  if (m_wayland) {
    code = m_wayland->Run();
  }
  m_wayland.reset();
#endif
  // A host that stops the saver with a signal logs a normal stop only when the process ends
  // by that signal; the windows, the grabs and the focus are given back first.
  m_x11.reset();
  if (const int signal = EndingSignal()) {
    EndBySignal(signal);
  }
  return code;
}
