#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "main/LinuxRunModes.h"
#include "platform/x11/X11Session.h"

namespace {

// The settings sheet's program, installed beside this one.
std::filesystem::path SheetProgram() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::path(".") : self.parent_path()) / "spirandel-settings";
}

}  // namespace

void CLinuxRunModes::RunConfigSheet(SaverSettings&) {
  // Without a display the toolkit would abort with lines of its own; say it in one line and
  // end with 1, as the drawing modes do.
  if (!CX11Session::CanOpen(m_exitCode)) {
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
