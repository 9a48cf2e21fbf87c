#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "main/HostWindows.h"
#include "main/LinuxRunModes.h"
#include "platform/unix/DisplayChoice.h"
#include "platform/unix/SignalsAndWait.h"

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

CLinuxRunModes::CLinuxRunModes(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

CLinuxRunModes::~CLinuxRunModes() = default;

bool CLinuxRunModes::HasX11Display() {
  if (!IsSet("DISPLAY") && IsSet("WAYLAND_DISPLAY")) {
    std::fputs(
        "spirandel: previews and host windows are X windows, and this Wayland session has "
        "no X display (DISPLAY is not set)\n",
        stderr);
    m_exitCode = 1;
    return false;
  }
  return true;
}

int CLinuxRunModes::CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) {
  if (HasX11Display()) {
    m_run = OpenPreview(settings, hostWindow, m_exitCode);
  }
  return m_run ? 1 : 0;
}

int CLinuxRunModes::CreateFullScreenWindow(SaverSettings& settings) {
  const std::span<const SDisplaySystem> built = BuiltDisplaySystems();
  std::vector<std::string_view> names;
  for (const SDisplaySystem& system : built) {
    names.push_back(system.name);
  }
  const char* forced = std::getenv("SPIRANDEL_DISPLAY");
  const std::string_view forcedName = forced != nullptr ? forced : "";
  const auto order = DisplaySystemsToTry(names, forcedName, IsSet("WAYLAND_DISPLAY"));
  for (const std::string_view name : order) {
    const auto system = std::find_if(built.begin(), built.end(),
                                     [&](const SDisplaySystem& s) { return s.name == name; });
    bool ready = false;
    m_run = system->connect(settings, ready);
    if (m_run) {
      m_exitCode = ready ? 0 : 1;
      return ready ? 1 : 0;
    }
  }
  if (order.empty()) {
    // Only a system asked for by name, or X11 where no compositor is named, can be missing.
    const bool wayland = forcedName == "wayland";
    std::fprintf(stderr, "spirandel: this build has no %s support%s\n", wayland ? "Wayland" : "X11",
                 wayland || forcedName == "x11" ? "" : " (and WAYLAND_DISPLAY is not set)");
  } else {
    std::fputs("spirandel: no Wayland compositor answers (WAYLAND_DISPLAY)\n", stderr);
  }
  m_exitCode = 1;
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
  if (HasX11Display()) {
    m_run = OpenHostWindow(settings, target, m_exitCode);
  }
  return m_run ? 1 : 0;
}

int CLinuxRunModes::RunMessageLoop() {
  const int code = m_run ? m_run->Run() : 0;
  // A host that stops the saver with a signal logs a normal stop only when the process ends
  // by that signal; the windows, the grabs and the focus are given back first.
  m_run.reset();
  if (const int signal = EndingSignal()) {
    EndBySignal(signal);
  }
  return code;
}
