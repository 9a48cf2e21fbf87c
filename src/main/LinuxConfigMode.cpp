#include "main/LinuxRunModes.h"

#ifdef SPIRANDEL_HAVE_QT
#include <QApplication>

#include "config/ConfigSheet.h"
#include "platform/qt/QtConfigSheetHost.h"

void CLinuxRunModes::RunConfigSheet(SaverSettings& settings) {
  // Without any display Qt would abort; like every other mode, end quietly instead.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return;
  }
  QApplication application(m_argc, m_argv);
  CQtConfigSheetHost host;
  ::RunConfigSheet(settings, host);
}
#else
// Built without Qt: configuration mode ends without changing anything.
void CLinuxRunModes::RunConfigSheet(SaverSettings&) {}
#endif
