#include <string_view>
#include <vector>

#include "app/SaverApp.h"
#include "main/LinuxRunModes.h"
#include "platform/posix/RegFileStore.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  CRegFileStore store(UserConfigHome());
  CLinuxRunModes modes(argc, argv);
  CSaverApp app(store, modes);
  const int code = app.Run(arguments);
  return code != 0 ? code : modes.ExitCode();
}
