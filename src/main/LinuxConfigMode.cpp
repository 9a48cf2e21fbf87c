#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "main/HostWindows.h"
#include "main/LinuxRunModes.h"

namespace {

// The settings sheet's program, installed beside this one.
std::filesystem::path SheetProgram() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::path(".") : self.parent_path()) / "spirandel-settings";
}

bool HasEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

void CLinuxRunModes::RunConfigSheet(SaverSettings&) {
  // Where the toolkit would fall back to X11 and find no display it aborts with lines of its
  // own; say it in one line and end with 1, as the drawing modes do. Wayland, or a platform
  // the user names, is the toolkit's own affair.
  if (!HasEnvironment("WAYLAND_DISPLAY") && !HasEnvironment("QT_QPA_PLATFORM") &&
      !CanOpenX11Display(m_exitCode)) {
    return;
  }
  // The sheet reloads the settings and writes them back itself, so nothing of this process
  // needs to survive the exec.
  const std::string program = SheetProgram().string();
  std::fflush(nullptr);
  ::execv(program.c_str(), m_argv);
  std::fprintf(stderr, "spirandel: cannot start the settings sheet %s: %s\n", program.c_str(),
               std::strerror(errno));
  m_exitCode = 1;
}
