// The settings sheet as a program of its own. The saver starts it for configuration mode, so
// that the saver itself never maps the toolkit's libraries: a full-screen saver that runs for
// hours should cost as little memory as it can.
#include <QApplication>

#include "config/ConfigSheet.h"
#include "platform/posix/RegFileStore.h"
#include "platform/qt/QtConfigSheetHost.h"
#include "settings/SaverSettings.h"

int main(int argc, char** argv) {
  // Without any display Qt would abort; like every other mode, end quietly instead.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return 0;
  }
  CRegFileStore store(UserConfigHome());
  SaverSettings settings(&store);
  QApplication application(argc, argv);
  CQtConfigSheetHost host;
  // The sheet loads the settings itself before it fills its pages.
  RunConfigSheet(settings, host);
  return 0;
}
