// spirandel-idle: starts the saver when the session has been idle for the wait, once per
// session, for the whole session.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "main/IdleRun.h"
#include "platform/posix/InstanceLock.h"

namespace {

// The saver installed beside this program (bin/spirandel next to bin/spirandel-idle, or the
// build tree's), else whichever PATH names.
std::vector<std::string> SaverCommand() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const auto beside = self.parent_path() / "spirandel";
    if (access(beside.c_str(), X_OK) == 0)
      return {beside.string(), "/s"};
  }
  return {"spirandel", "/s"};
}

std::filesystem::path RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/')
    return runtime;
  return std::filesystem::temp_directory_path();
}

// The session's display: Wayland's where there is one, else X11's.
std::string SessionDisplay() {
  for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value)
      return value;
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  const SIdleOptions options = ParseIdleOptions(std::vector<std::string>(argv + 1, argv + argc));
  switch (options.action) {
    case SIdleOptions::EAction::Help:
      std::fputs(IdleUsage().c_str(), stdout);
      return 0;
    case SIdleOptions::EAction::Version:
      std::puts("spirandel-idle " SPIRANDEL_VERSION);
      return 0;
    case SIdleOptions::EAction::Error:
      std::fprintf(stderr, "spirandel-idle: %s\nTry 'spirandel-idle --help'.\n",
                   options.error.c_str());
      return 2;
    case SIdleOptions::EAction::Watch:
      break;
  }
  // Without a runtime folder of its own the lock file's name carries the user.
  std::string display = SessionDisplay();
  if (!std::getenv("XDG_RUNTIME_DIR"))
    display = std::to_string(getuid()) + "-" + display;
  CInstanceLock lock;
  switch (lock.Take(InstanceLockFile(RuntimeFolder(), display))) {
    case CInstanceLock::EResult::HeldByAnother:
      std::fputs("spirandel-idle: already watching this session\n", stderr);
      return 0;
    case CInstanceLock::EResult::Failed:
      std::perror("spirandel-idle: the lock file in the runtime folder");
      return 1;
    case CInstanceLock::EResult::Taken:
      break;
  }
  CIdleRun run(options, SaverCommand(),
               [&lock](const std::string& status) { lock.WriteStatus(status); });
  return run.Run();
}
