// The settings sheet as a program of its own. The saver starts it for configuration mode, so
// that the saver itself never maps the toolkit's libraries: a full-screen saver that runs for
// hours should cost as little memory as it can.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "sheet/ConfigSheet.h"
#include "platform/posix/RegFileStore.h"
#include "platform/qt/QtConfigSheetHost.h"
#include "settings/SaverSettings.h"

namespace {

constexpr char kUsage[] =
    "Usage: spirandel-settings\n"
    "Shows the settings sheet of the Spirandel screen saver (also spirandel /c).\n"
    "OK writes the settings; Cancel and Escape write nothing.\n"
    "  -h, --help  show this text\n"
    "Settings: $XDG_CONFIG_HOME/tallowyn/spir_ss/Settings.reg (~/.config when unset)\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // Without any display Qt would abort with lines of its own; say it in one line instead.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("spirandel-settings: no display (DISPLAY is not set)\n", stderr);
    return 1;
  }
  CRegFileStore store(UserConfigHome());
  SaverSettings settings(&store);
  QApplication application(argc, argv);
  CQtConfigSheetHost host;
  // The sheet loads the settings itself before it fills its pages.
  RunConfigSheet(settings, host);
  return 0;
}
