#include "main/LinuxRunModes.h"

#ifdef SPIRANDEL_HAVE_QT
#include <QApplication>

#include "config/ConfigSheet.h"
#include "platform/qt/QtConfigSheetHost.h"

void CLinuxRunModes::RunConfigSheet(SaverSettings& settings) {
  QApplication application(m_argc, m_argv);
  CQtConfigSheetHost host;
  ::RunConfigSheet(settings, host);
}
#else
// Built without Qt: configuration mode ends without changing anything.
void CLinuxRunModes::RunConfigSheet(SaverSettings&) {}
#endif
